// The list chooser (skins, visual plug-ins) and the delete-a-CD list.
#include <algorithm>

#include "platform/posix/GtkDialogs.h"
#include "platform/posix/GtkSession.h"

namespace zarnel::gtkdlg {

namespace {

// Return: a tree view over store in a scrolled frame packed into dialog.
GtkWidget* addListView(GtkWidget* dialog, GtkListStore* store, bool headers) {
  GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);  // the view holds it
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view), headers);
  GtkWidget* scroll = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroll), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroll), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(scroll), view);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), scroll, TRUE, TRUE, 0);
  return view;
}

void addTextColumn(GtkWidget* view, const std::string& heading, int column, int width) {
  GtkCellRenderer* cell = gtk_cell_renderer_text_new();
  GtkTreeViewColumn* col = gtk_tree_view_column_new_with_attributes(heading.c_str(), cell, "text", column, nullptr);
  if (width > 0) {
    gtk_tree_view_column_set_sizing(col, GTK_TREE_VIEW_COLUMN_FIXED);
    gtk_tree_view_column_set_fixed_width(col, width);
  }
  gtk_tree_view_append_column(GTK_TREE_VIEW(view), col);
}

// Return: the row of the single selection, -1 when none.
int32_t selectedRow(GtkTreeSelection* selection) {
  GtkTreeModel* model = nullptr;
  GtkTreeIter iter;
  if (!gtk_tree_selection_get_selected(selection, &model, &iter)) return -1;
  GtkTreePath* path = gtk_tree_model_get_path(model, &iter);
  const int32_t row = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  return row;
}

void selectRow(GtkWidget* view, int32_t row) {
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_view_set_cursor(GTK_TREE_VIEW(view), path, nullptr, FALSE);
  gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(view), path, nullptr, FALSE, 0, 0);
  gtk_tree_path_free(path);
}

struct SelectionWatch {
  const std::function<void(int32_t)>* onSelect;
  int32_t last;
};

void onSelectionChanged(GtkTreeSelection* selection, gpointer data) {
  auto* watch = static_cast<SelectionWatch*>(data);
  const int32_t row = selectedRow(selection);
  // GTK reports a change also when the same row is set again.
  if (row < 0 || row == watch->last) return;
  watch->last = row;
  if (*watch->onSelect) (*watch->onSelect)(row);
}

}  // namespace

std::optional<int32_t> runChooseFromList(const Rect& owner, const ListChooserSpec& spec,
                                         const std::function<void(int32_t)>& onSelect) {
  GtkWidget* dialog = newDialog(spec.title);
  gtk_window_set_default_size(GTK_WINDOW(dialog), 260, 300);
  GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
  for (const std::string& item : spec.items) gtk_list_store_insert_with_values(store, nullptr, -1, 0, item.c_str(), -1);
  GtkWidget* view = addListView(dialog, store, false);
  addTextColumn(view, "", 0, 0);
  addButton(dialog, spec.buttonText, GTK_RESPONSE_OK);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  const bool preselected = spec.selected >= 0 && size_t(spec.selected) < spec.items.size();
  if (preselected) selectRow(view, spec.selected);
  // Watched only now: the preselected item is already the caller's current one.
  SelectionWatch watch{&onSelect, preselected ? spec.selected : -1};
  GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(view));
  g_signal_connect(selection, "changed", G_CALLBACK(onSelectionChanged), &watch);
  // A double click picks the item and closes, as the button does.
  g_signal_connect_swapped(view, "row-activated",
                           G_CALLBACK(+[](GtkDialog* d) { gtk_dialog_response(d, GTK_RESPONSE_OK); }), dialog);
  showCentred(dialog, owner);
  gtk_widget_grab_focus(view);
  std::optional<int32_t> result;
  if (runModal(dialog) == GTK_RESPONSE_OK) result = selectedRow(selection);
  g_signal_handlers_disconnect_by_data(selection, &watch);
  closeWindow(dialog);
  return result;
}

std::optional<std::vector<int32_t>> runDeleteCd(const Rect& owner, const DeleteCdSpec& spec) {
  GtkWidget* dialog = newDialog(spec.title);
  gtk_window_set_default_size(GTK_WINDOW(dialog), 300, 280);
  GtkListStore* store = gtk_list_store_new(2, G_TYPE_STRING, G_TYPE_STRING);
  for (const auto& [disc, files] : spec.rows)
    gtk_list_store_insert_with_values(store, nullptr, -1, 0, disc.c_str(), 1, files.c_str(), -1);
  GtkWidget* view = addListView(dialog, store, true);
  addTextColumn(view, spec.discHeading, 0, 200);
  addTextColumn(view, spec.filesHeading, 1, 50);
  GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(view));
  gtk_tree_selection_set_mode(selection, GTK_SELECTION_MULTIPLE);
  gtk_tree_selection_unselect_all(selection);
  addButton(dialog, spec.deleteText, GTK_RESPONSE_OK);
  showCentred(dialog, owner);
  gtk_tree_selection_unselect_all(selection);
  std::optional<std::vector<int32_t>> result;
  if (runModal(dialog) == GTK_RESPONSE_OK) {
    result.emplace();
    GList* rows = gtk_tree_selection_get_selected_rows(selection, nullptr);
    for (GList* r = rows; r; r = r->next)
      result->push_back(gtk_tree_path_get_indices(static_cast<GtkTreePath*>(r->data))[0]);
    g_list_free_full(rows, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
    std::sort(result->begin(), result->end());
  }
  closeWindow(dialog);
  return result;
}

}  // namespace zarnel::gtkdlg
