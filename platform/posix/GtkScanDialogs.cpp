// The hard-disk scan and CD scan dialogs; both stay open while the caller's
// callback refuses the choice.
#include "platform/posix/GtkDialogs.h"
#include "platform/posix/GtkSession.h"

namespace zarnel::gtkdlg {

namespace {

GtkWidget* content(GtkWidget* dialog) { return gtk_dialog_get_content_area(GTK_DIALOG(dialog)); }

void onToggled(GtkCellRendererToggle*, gchar* pathText, gpointer store) {
  GtkTreeIter iter;
  if (!gtk_tree_model_get_iter_from_string(GTK_TREE_MODEL(store), &iter, pathText)) return;
  gboolean ticked = FALSE;
  gtk_tree_model_get(GTK_TREE_MODEL(store), &iter, 0, &ticked, -1);
  gtk_list_store_set(GTK_LIST_STORE(store), &iter, 0, !ticked, -1);
}

// Return: the drive list with a tick per row (column 0) and the name (1).
GtkWidget* driveList(const HdScanSpec& spec, GtkListStore*& store) {
  store = gtk_list_store_new(2, G_TYPE_BOOLEAN, G_TYPE_STRING);
  for (size_t i = 0; i < spec.drives.size(); ++i) {
    const gboolean ticked = i < spec.ticked.size() && spec.ticked[i];
    gtk_list_store_insert_with_values(store, nullptr, -1, 0, ticked, 1, spec.drives[i].c_str(), -1);
  }
  GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view), FALSE);
  GtkCellRenderer* tick = gtk_cell_renderer_toggle_new();
  g_signal_connect(tick, "toggled", G_CALLBACK(onToggled), store);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(view), -1, "", tick, "active", 0, nullptr);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(view), -1, "", gtk_cell_renderer_text_new(), "text", 1,
                                              nullptr);
  GtkWidget* scroll = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroll), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroll), GTK_SHADOW_IN);
  gtk_widget_set_size_request(scroll, 320, 150);
  gtk_container_add(GTK_CONTAINER(scroll), view);
  return scroll;
}

GtkWidget* tickBox(GtkWidget* box, const std::string& text, bool ticked) {
  GtkWidget* check = gtk_check_button_new_with_label(text.c_str());
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), ticked);
  gtk_box_pack_start(GTK_BOX(box), check, FALSE, FALSE, 0);
  return check;
}

bool isTicked(GtkWidget* check) { return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(check)); }

std::vector<bool> tickedRows(GtkListStore* store) {
  std::vector<bool> ticked;
  GtkTreeIter iter;
  for (gboolean ok = gtk_tree_model_get_iter_first(GTK_TREE_MODEL(store), &iter); ok;
       ok = gtk_tree_model_iter_next(GTK_TREE_MODEL(store), &iter)) {
    gboolean t = FALSE;
    gtk_tree_model_get(GTK_TREE_MODEL(store), &iter, 0, &t, -1);
    ticked.push_back(t);
  }
  return ticked;
}

GtkWidget* leftLabel(const std::string& text) {
  GtkWidget* label = gtk_label_new(text.c_str());
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  return label;
}

}  // namespace

void runScanHardDrive(const Rect& owner, const HdScanSpec& spec, const std::function<bool(const HdScanChoice&)>& onOk) {
  GtkWidget* dialog = newDialog(spec.title);
  gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
  GtkListStore* store = nullptr;
  gtk_box_pack_start(GTK_BOX(content(dialog)), driveList(spec, store), TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(content(dialog)), leftLabel(spec.scanForLabel), FALSE, FALSE, 0);
  GtkWidget* ticks = gtk_box_new(GTK_ORIENTATION_VERTICAL, 2);
  gtk_widget_set_margin_start(ticks, 12);
  gtk_box_pack_start(GTK_BOX(content(dialog)), ticks, FALSE, FALSE, 0);
  GtkWidget* mp3 = tickBox(ticks, spec.mp3Text, spec.mp3);
  GtkWidget* wav = tickBox(ticks, spec.wavText, spec.wav);
  GtkWidget* wma = tickBox(ticks, spec.wmaText, spec.wma);
  GtkWidget* analyse = tickBox(ticks, spec.analyseText, spec.analyse);
  addButton(dialog, spec.okText, GTK_RESPONSE_OK);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  showCentred(dialog, owner);
  while (runModal(dialog) == GTK_RESPONSE_OK) {
    HdScanChoice choice{tickedRows(store), isTicked(mp3), isTicked(wav), isTicked(wma), isTicked(analyse)};
    if (onOk(choice)) break;
  }
  closeWindow(dialog);
}

void runScanCd(const Rect& owner, const CdScanSpec& spec, const std::function<bool(CdScanChoice&)>& onScan) {
  GtkWidget* dialog = newDialog(spec.title);
  gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
  GtkWidget* grid = gtk_grid_new();
  gtk_grid_set_row_spacing(GTK_GRID(grid), 8);
  gtk_grid_set_column_spacing(GTK_GRID(grid), 10);
  GtkWidget* drives = gtk_combo_box_text_new();
  for (const std::string& d : spec.drives) gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(drives), d.c_str());
  if (spec.selected >= 0 && size_t(spec.selected) < spec.drives.size())
    gtk_combo_box_set_active(GTK_COMBO_BOX(drives), spec.selected);
  gtk_widget_set_hexpand(drives, TRUE);
  GtkWidget* name = gtk_entry_new();
  gtk_entry_set_text(GTK_ENTRY(name), spec.name.c_str());
  gtk_entry_set_activates_default(GTK_ENTRY(name), TRUE);
  gtk_grid_attach(GTK_GRID(grid), leftLabel(spec.driveLabel), 0, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), drives, 1, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), leftLabel(spec.nameLabel), 0, 1, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), name, 1, 1, 1, 1);
  gtk_widget_set_size_request(grid, 300, -1);
  gtk_box_pack_start(GTK_BOX(content(dialog)), grid, TRUE, TRUE, 0);
  addButton(dialog, spec.scanText, GTK_RESPONSE_OK);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  showCentred(dialog, owner);
  gtk_widget_grab_focus(name);
  while (runModal(dialog) == GTK_RESPONSE_OK) {
    CdScanChoice choice{gtk_combo_box_get_active(GTK_COMBO_BOX(drives)), gtk_entry_get_text(GTK_ENTRY(name))};
    if (onScan(choice)) break;
    // Refused: the field shows what the caller left of the name, focused.
    gtk_entry_set_text(GTK_ENTRY(name), choice.name.c_str());
    gtk_widget_grab_focus(name);
  }
  closeWindow(dialog);
}

}  // namespace zarnel::gtkdlg
