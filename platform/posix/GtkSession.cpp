#include "platform/posix/GtkSession.h"

#include <algorithm>

namespace zarnel::gtkdlg {

bool gtkReady() {
  // gtk_init_check must run once only; without a display every later call
  // answers false and the dialogs fall back to their safe answers.
  static const bool ready = gtk_init_check(nullptr, nullptr);
  return ready;
}

GtkWidget* newDialog(const std::string& title) {
  GtkWidget* dialog = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_NONE);
  GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
  gtk_container_set_border_width(GTK_CONTAINER(content), 10);
  gtk_box_set_spacing(GTK_BOX(content), 8);
  return dialog;
}

GtkWidget* addButton(GtkWidget* dialog, const std::string& text, int response) {
  GtkWidget* button = gtk_button_new_with_label(text.c_str());
  gtk_widget_set_can_default(button, TRUE);
  gtk_dialog_add_action_widget(GTK_DIALOG(dialog), button, response);
  return button;
}

void showCentred(GtkWidget* window, const Rect& owner) {
  gtk_widget_show_all(window);
  int32_t width = 0, height = 0;
  gtk_window_get_size(GTK_WINDOW(window), &width, &height);
  Rect screen;
  GdkDisplay* display = gtk_widget_get_display(window);
  GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
  if (!monitor && display) monitor = gdk_display_get_monitor(display, 0);
  if (monitor) {
    GdkRectangle area;
    gdk_monitor_get_workarea(monitor, &area);
    screen = {area.x, area.y, area.width, area.height};
  }
  if (screen.width > 0 && screen.height > 0 && (width > screen.width || height > screen.height)) {
    // A window larger than the screen (a chooser's remembered size) is cut to it.
    width = std::min(width, screen.width);
    height = std::min(height, screen.height);
    gtk_window_resize(GTK_WINDOW(window), width, height);
  }
  const Rect over = owner.width > 0 && owner.height > 0 ? owner : screen;
  int32_t x = 0, y = 0;
  centredOver(over, width, height, screen, x, y);
  gtk_window_move(GTK_WINDOW(window), x, y);
  gtk_window_present(GTK_WINDOW(window));
}

int runModal(GtkWidget* dialog) { return gtk_dialog_run(GTK_DIALOG(dialog)); }

void closeWindow(GtkWidget* window) {
  gtk_widget_destroy(window);
  drainEvents();
}

void drainEvents() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

std::string toolkitWord(const char* word) {
  std::string text = g_dgettext("gtk30", word);
  std::erase(text, '_');  // the buttons take their texts literally
  return text;
}

}  // namespace zarnel::gtkdlg
