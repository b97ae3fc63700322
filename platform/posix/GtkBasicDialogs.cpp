// The question, the message and the one-field text dialog.
#include "platform/posix/GtkDialogs.h"
#include "platform/posix/GtkSession.h"

namespace zarnel::gtkdlg {

namespace {

GtkWidget* addWrappedLabel(GtkWidget* dialog, const std::string& text) {
  GtkWidget* label = gtk_label_new(text.c_str());
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(label), 60);
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  gtk_widget_set_margin_start(label, 6);
  gtk_widget_set_margin_end(label, 6);
  gtk_widget_set_margin_top(label, 6);
  gtk_widget_set_margin_bottom(label, 6);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), label, TRUE, TRUE, 0);
  return label;
}

}  // namespace

bool runAsk(const Rect& owner, const std::string& text, const std::string& caption, const std::string& yesText,
            const std::string& noText) {
  GtkWidget* dialog = newDialog(caption);
  gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
  addWrappedLabel(dialog, text);
  addButton(dialog, yesText, GTK_RESPONSE_YES);
  addButton(dialog, noText, GTK_RESPONSE_NO);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_YES);
  showCentred(dialog, owner);
  const bool yes = runModal(dialog) == GTK_RESPONSE_YES;
  closeWindow(dialog);
  return yes;
}

void runMessage(const Rect& owner, const std::string& text, const std::string& caption) {
  GtkWidget* dialog = newDialog(caption);
  gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
  addWrappedLabel(dialog, text);
  addButton(dialog, toolkitWord("_OK"), GTK_RESPONSE_OK);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  showCentred(dialog, owner);
  runModal(dialog);
  closeWindow(dialog);
}

std::optional<std::string> runEditText(const Rect& owner, const std::string& title, const std::string& text,
                                       int32_t maxChars, const std::string& okText) {
  GtkWidget* dialog = newDialog(title);
  gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
  GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
  gtk_orientable_set_orientation(GTK_ORIENTABLE(area), GTK_ORIENTATION_HORIZONTAL);
  GtkWidget* entry = gtk_entry_new();
  // Characters, not bytes: the result is cut to maxChars bytes on OK.
  if (maxChars > 0) gtk_entry_set_max_length(GTK_ENTRY(entry), maxChars);
  gtk_entry_set_text(GTK_ENTRY(entry), truncateUtf8(text, maxChars).c_str());
  gtk_entry_set_width_chars(GTK_ENTRY(entry), maxChars > 0 && maxChars < 16 ? 10 : 40);
  gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
  gtk_box_pack_start(GTK_BOX(area), entry, TRUE, TRUE, 0);
  // The button sits beside the field, as in a one-line dialog.
  GtkWidget* ok = gtk_button_new_with_label(okText.c_str());
  gtk_widget_set_can_default(ok, TRUE);
  g_signal_connect_swapped(ok, "clicked", G_CALLBACK(+[](GtkDialog* d) { gtk_dialog_response(d, GTK_RESPONSE_OK); }),
                           dialog);
  gtk_box_pack_start(GTK_BOX(area), ok, FALSE, FALSE, 0);
  gtk_window_set_default(GTK_WINDOW(dialog), ok);
  showCentred(dialog, owner);
  gtk_widget_grab_focus(entry);
  gtk_editable_select_region(GTK_EDITABLE(entry), 0, -1);
  std::optional<std::string> result;
  if (runModal(dialog) == GTK_RESPONSE_OK) result = truncateUtf8(gtk_entry_get_text(GTK_ENTRY(entry)), maxChars);
  closeWindow(dialog);
  return result;
}

}  // namespace zarnel::gtkdlg
