// The file and folder choosers: GTK's own chooser, filtered by the caller's
// patterns, over the owner window.
#include "platform/posix/GtkDialogs.h"
#include "platform/posix/GtkSession.h"

namespace zarnel::gtkdlg {

namespace {

GtkWidget* newChooser(const std::string& title, GtkFileChooserAction action, const std::string& okText,
                      const std::string& cancelText, const char* toolkitOk) {
  const std::string ok = okText.empty() ? toolkitWord(toolkitOk) : okText;
  const std::string cancel = cancelText.empty() ? toolkitWord("_Cancel") : cancelText;
  GtkWidget* chooser = gtk_file_chooser_dialog_new(title.c_str(), nullptr, action, nullptr, nullptr);
  addButton(chooser, cancel, GTK_RESPONSE_CANCEL);
  addButton(chooser, ok, GTK_RESPONSE_ACCEPT);
  gtk_dialog_set_default_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
  gtk_window_set_modal(GTK_WINDOW(chooser), TRUE);
  gtk_window_set_keep_above(GTK_WINDOW(chooser), TRUE);
  gtk_window_set_default_size(GTK_WINDOW(chooser), 720, 480);
  return chooser;
}

void addFilters(GtkWidget* chooser, const std::vector<FileFilter>& filters) {
  for (const FileFilter& f : filters) {
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, f.name.c_str());
    for (const std::string& pattern : splitPatterns(f.patterns)) gtk_file_filter_add_pattern(filter, pattern.c_str());
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);  // takes the filter
  }
}

void setStartFolder(GtkWidget* chooser, const std::string& folder) {
  if (!folder.empty()) gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), folder.c_str());
}

// Return: the chosen path, "" when cancelled.
std::string runChooser(GtkWidget* chooser, const Rect& owner) {
  showCentred(chooser, owner);
  std::string path;
  if (runModal(chooser) == GTK_RESPONSE_ACCEPT) {
    gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
    if (name) path = name;
    g_free(name);
  }
  closeWindow(chooser);
  return path;
}

// Return: whether the user agrees to replace path, asked in GTK's own words
// (the name typed may have gained its extension, so GTK's check would miss it).
bool confirmReplace(GtkWidget* parent, const std::string& path) {
  gchar* base = g_path_get_basename(path.c_str());
  gchar* text = g_strdup_printf(
      g_dgettext("gtk30", "A file named \u201c%s\u201d already exists.  Do you want to replace it?"), base);
  GtkWidget* question =
      gtk_message_dialog_new(GTK_WINDOW(parent), GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE, "%s", text);
  g_free(text);
  g_free(base);
  addButton(question, toolkitWord("_Cancel"), GTK_RESPONSE_CANCEL);
  addButton(question, toolkitWord("_Replace"), GTK_RESPONSE_ACCEPT);
  gtk_window_set_keep_above(GTK_WINDOW(question), TRUE);
  gtk_window_set_position(GTK_WINDOW(question), GTK_WIN_POS_CENTER_ON_PARENT);
  gtk_widget_show_all(question);
  const bool replace = runModal(question) == GTK_RESPONSE_ACCEPT;
  gtk_widget_destroy(question);
  return replace;
}

}  // namespace

std::string runOpenFile(const Rect& owner, const FileDialogSpec& spec) {
  GtkWidget* chooser = newChooser(spec.title, GTK_FILE_CHOOSER_ACTION_OPEN, spec.okText, spec.cancelText, "_Open");
  addFilters(chooser, spec.filters);
  setStartFolder(chooser, spec.startFolder);
  gtk_file_chooser_set_local_only(GTK_FILE_CHOOSER(chooser), TRUE);
  std::string path = runChooser(chooser, owner);
  // GTK's open chooser accepts only names it lists, but a typed path may
  // still name nothing.
  if (spec.mustExist && !path.empty() && !g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR)) path.clear();
  return path;
}

std::string runSaveFile(const Rect& owner, const FileDialogSpec& spec) {
  GtkWidget* chooser = newChooser(spec.title, GTK_FILE_CHOOSER_ACTION_SAVE, spec.okText, spec.cancelText, "_Save");
  addFilters(chooser, spec.filters);
  const std::string folder = spec.initialName.find('/') != std::string::npos
                                 ? spec.initialName.substr(0, spec.initialName.rfind('/'))
                                 : spec.startFolder;
  const std::string name = spec.initialName.substr(spec.initialName.rfind('/') + 1);
  setStartFolder(chooser, folder);
  if (!name.empty()) gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), name.c_str());
  showCentred(chooser, owner);
  std::string path;
  while (path.empty() && runModal(chooser) == GTK_RESPONSE_ACCEPT) {
    gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
    if (!chosen) continue;
    path = withDefaultExtension(chosen, spec.defaultExtension);
    g_free(chosen);
    if (spec.confirmOverwrite && g_file_test(path.c_str(), G_FILE_TEST_EXISTS) && !confirmReplace(chooser, path))
      path.clear();
  }
  closeWindow(chooser);
  return path;
}

std::string runChooseFolder(const Rect& owner, const std::string& title, const std::string& startFolder) {
  GtkWidget* chooser = newChooser(title, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "", "", "_Select");
  setStartFolder(chooser, startFolder);
  return runChooser(chooser, owner);
}

}  // namespace zarnel::gtkdlg
