// The shortcut list dialog: the bindings' lines and the buttons that edit
// them through the caller's model.
#include "platform/posix/GtkDialogs.h"
#include "platform/posix/GtkSession.h"

namespace zarnel::gtkdlg {

namespace {

enum ListResponse { kAdd = 1, kChange, kDelete, kLoad, kSave };

void fillLines(GtkListStore* store, const std::vector<std::string>& lines) {
  gtk_list_store_clear(store);
  for (const std::string& line : lines) gtk_list_store_insert_with_values(store, nullptr, -1, 0, line.c_str(), -1);
}

int32_t selectedRow(GtkTreeView* view) {
  GtkTreeModel* model = nullptr;
  GtkTreeIter iter;
  if (!gtk_tree_selection_get_selected(gtk_tree_view_get_selection(view), &model, &iter)) return -1;
  GtkTreePath* path = gtk_tree_model_get_path(model, &iter);
  const int32_t row = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  return row;
}

void selectRow(GtkTreeView* view, int32_t row, int32_t count) {
  if (count <= 0) return;
  GtkTreePath* path = gtk_tree_path_new_from_indices(row < count ? row : count - 1, -1);
  gtk_tree_view_set_cursor(view, path, nullptr, FALSE);
  gtk_tree_path_free(path);
}

GtkWidget* sideButton(GtkWidget* dialog, GtkWidget* box, const std::string& text, int response) {
  GtkWidget* button = gtk_button_new_with_label(text.c_str());
  g_object_set_data(G_OBJECT(button), "response", GINT_TO_POINTER(response));
  g_signal_connect(button, "clicked", G_CALLBACK(+[](GtkWidget* b, gpointer d) {
                     gtk_dialog_response(GTK_DIALOG(d), GPOINTER_TO_INT(g_object_get_data(G_OBJECT(b), "response")));
                   }),
                   dialog);
  gtk_box_pack_start(GTK_BOX(box), button, FALSE, FALSE, 0);
  return button;
}

// Runs one of the side buttons on the model. Pre: row is the selected row.
void applyListButton(int response, int32_t row, ShortcutListModel& model) {
  switch (response) {
    case kAdd:
      model.add();
      break;
    case kChange:
      if (row >= 0) model.change(row);
      break;
    case kDelete:
      if (row >= 0) model.remove(row);
      break;
    case kLoad:
      model.load();
      break;
    case kSave:
      model.save();
      break;
    default:
      break;
  }
}

}  // namespace

bool runShortcutList(const Rect& owner, const ShortcutListSpec& spec, ShortcutListModel& model) {
  GtkWidget* dialog = newDialog(spec.title);
  gtk_window_set_default_size(GTK_WINDOW(dialog), 460, 320);
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 10);
  GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
  GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view), FALSE);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(view), -1, "", gtk_cell_renderer_text_new(), "text", 0,
                                              nullptr);
  GtkWidget* scroll = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroll), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(scroll), view);
  gtk_box_pack_start(GTK_BOX(row), scroll, TRUE, TRUE, 0);
  GtkWidget* side = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  sideButton(dialog, side, spec.addText, kAdd);
  sideButton(dialog, side, spec.changeText, kChange);
  sideButton(dialog, side, spec.deleteText, kDelete);
  sideButton(dialog, side, spec.loadText, kLoad);
  sideButton(dialog, side, spec.saveText, kSave);
  gtk_box_pack_start(GTK_BOX(row), side, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), row, TRUE, TRUE, 0);
  addButton(dialog, spec.okText, GTK_RESPONSE_OK);
  addButton(dialog, spec.cancelText, GTK_RESPONSE_CANCEL);
  fillLines(store, model.lines());
  showCentred(dialog, owner);
  // The dialog grows with its list but never shrinks below its first size.
  gint width = 0, height = 0;
  gtk_window_get_size(GTK_WINDOW(dialog), &width, &height);
  gtk_widget_set_size_request(dialog, width, height);
  int response = 0;
  while ((response = runModal(dialog)) >= kAdd && response <= kSave) {
    const int32_t selected = selectedRow(GTK_TREE_VIEW(view));
    applyListButton(response, selected, model);
    const std::vector<std::string> lines = model.lines();
    fillLines(store, lines);
    selectRow(GTK_TREE_VIEW(view), response == kAdd ? int32_t(lines.size()) - 1 : selected, int32_t(lines.size()));
  }
  closeWindow(dialog);
  return response == GTK_RESPONSE_OK;
}

}  // namespace zarnel::gtkdlg
