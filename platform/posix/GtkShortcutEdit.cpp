// The shortcut edit dialog: the action list, the four desk choices (shown
// for desk actions only) and the key-capture control "ZARNELSC".
#include <array>

#include "platform/posix/GdkKeyCodes.h"
#include "platform/posix/GtkDialogs.h"
#include "platform/posix/GtkSession.h"

namespace zarnel::gtkdlg {

namespace {

struct EditState {
  ShortcutEditModel* model = nullptr;
  GtkWidget *dialog = nullptr, *capture = nullptr, *desks = nullptr, *ok = nullptr;
  std::string keyText;
};

void refresh(EditState& s) {
  gtk_widget_set_visible(s.desks, s.model->deskChoicesShown());
  gtk_widget_set_sensitive(s.ok, s.model->canAccept());
  gtk_widget_queue_draw(s.capture);
  gtk_window_resize(GTK_WINDOW(s.dialog), 1, 1);  // narrowed again when the desks hide
}

// The control's face: the key's name centred, a focus rectangle while focused.
gboolean drawCapture(GtkWidget* widget, cairo_t* cr, gpointer state) {
  auto* s = static_cast<EditState*>(state);
  GtkStyleContext* style = gtk_widget_get_style_context(widget);
  const int w = gtk_widget_get_allocated_width(widget), h = gtk_widget_get_allocated_height(widget);
  gtk_render_background(style, cr, 0, 0, w, h);
  gtk_render_frame(style, cr, 0, 0, w, h);
  PangoLayout* layout = gtk_widget_create_pango_layout(widget, s->keyText.c_str());
  int tw = 0, th = 0;
  pango_layout_get_pixel_size(layout, &tw, &th);
  gtk_render_layout(style, cr, (w - tw) / 2.0, (h - th) / 2.0, layout);
  g_object_unref(layout);
  if (gtk_widget_has_focus(widget)) gtk_render_focus(style, cr, 3, 3, w - 6, h - 6);
  return TRUE;
}

// Return: the key's symbol without Shift, Ctrl and Alt, so that Shift+1
// names the key "1" as the layout prints it.
guint baseKeyval(const GdkEventKey* event) {
  guint keyval = event->keyval;
  GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event->window));
  const auto state = GdkModifierType(event->state & ~(GDK_SHIFT_MASK | GDK_CONTROL_MASK | GDK_MOD1_MASK));
  gdk_keymap_translate_keyboard_state(keymap, event->hardware_keycode, state, event->group, &keyval, nullptr, nullptr,
                                      nullptr);
  return keyval;
}

// Every key pressed while the control has the focus is captured, before
// the dialog's own keys (Tab, Escape, Enter, mnemonics) act.
gboolean onDialogKey(GtkWidget* dialog, GdkEventKey* event, gpointer state) {
  auto* s = static_cast<EditState*>(state);
  if (gtk_window_get_focus(GTK_WINDOW(dialog)) != s->capture) return FALSE;
  const CapturedKey key = capturedKeyOf(baseKeyval(event), event->hardware_keycode, event->state);
  s->keyText = s->model->captureKey(key.virtualKey, key.keyData, key.modifiers);
  refresh(*s);
  return TRUE;
}

gboolean onCaptureClick(GtkWidget* widget, GdkEventButton*, gpointer) {
  gtk_widget_grab_focus(widget);
  return TRUE;
}

void onActionChanged(GtkComboBox* combo, gpointer state) {
  auto* s = static_cast<EditState*>(state);
  s->model->chooseAction(gtk_combo_box_get_active(combo));
  refresh(*s);
  gtk_widget_grab_focus(s->capture);
}

void onTargetToggled(GtkToggleButton* radio, gpointer state) {
  if (!gtk_toggle_button_get_active(radio)) return;
  auto* s = static_cast<EditState*>(state);
  s->model->chooseTarget(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(radio), "target")));
  gtk_widget_grab_focus(s->capture);
}

GtkWidget* captureControl(EditState& s) {
  GtkWidget* capture = gtk_drawing_area_new();
  gtk_widget_set_name(capture, "ZARNELSC");
  gtk_widget_set_can_focus(capture, TRUE);
  gtk_widget_add_events(capture, GDK_BUTTON_PRESS_MASK | GDK_FOCUS_CHANGE_MASK | GDK_KEY_PRESS_MASK);
  gtk_widget_set_size_request(capture, 200, 30);
  gtk_style_context_add_class(gtk_widget_get_style_context(capture), GTK_STYLE_CLASS_FRAME);
  g_signal_connect(capture, "draw", G_CALLBACK(drawCapture), &s);
  g_signal_connect(capture, "button-press-event", G_CALLBACK(onCaptureClick), nullptr);
  // Gaining or losing the focus shows or hides the focus rectangle.
  g_signal_connect(capture, "focus-in-event", G_CALLBACK(+[](GtkWidget* w, GdkEvent*, gpointer) {
                     gtk_widget_queue_draw(w);
                     return FALSE;
                   }),
                   nullptr);
  g_signal_connect(capture, "focus-out-event", G_CALLBACK(+[](GtkWidget* w, GdkEvent*, gpointer) {
                     gtk_widget_queue_draw(w);
                     return FALSE;
                   }),
                   nullptr);
  return capture;
}

GtkWidget* deskChoices(EditState& s, const ShortcutEditSpec& spec) {
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 2);
  GSList* group = nullptr;
  for (size_t i = 0; i < 4; ++i) {
    const std::string text = i < spec.targets.size() ? spec.targets[i] : std::string();
    GtkWidget* radio = gtk_radio_button_new_with_label(group, text.c_str());
    group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(radio));
    g_object_set_data(G_OBJECT(radio), "target", GINT_TO_POINTER(int(i)));
    if (int32_t(i) == spec.target) gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(radio), TRUE);
    g_signal_connect(radio, "toggled", G_CALLBACK(onTargetToggled), &s);
    gtk_box_pack_start(GTK_BOX(box), radio, FALSE, FALSE, 0);
  }
  return box;
}

GtkWidget* leftLabel(const std::string& text) {
  GtkWidget* label = gtk_label_new(text.c_str());
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  return label;
}

}  // namespace

bool runShortcutEdit(const Rect& owner, const ShortcutEditSpec& spec, ShortcutEditModel& model) {
  EditState s;
  s.model = &model;
  s.keyText = spec.keyText;
  s.dialog = newDialog(spec.title);
  gtk_window_set_resizable(GTK_WINDOW(s.dialog), FALSE);
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 16);
  GtkWidget* left = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  GtkWidget* actions = gtk_combo_box_text_new();
  for (const std::string& a : spec.actions) gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(actions), a.c_str());
  if (spec.action >= 0 && size_t(spec.action) < spec.actions.size())
    gtk_combo_box_set_active(GTK_COMBO_BOX(actions), spec.action);
  s.capture = captureControl(s);
  gtk_box_pack_start(GTK_BOX(left), leftLabel(spec.actionLabel), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(left), actions, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(left), leftLabel(spec.keyLabel), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(left), s.capture, FALSE, FALSE, 0);
  s.desks = deskChoices(s, spec);
  gtk_box_pack_start(GTK_BOX(row), left, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(row), s.desks, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(s.dialog))), row, TRUE, TRUE, 0);
  s.ok = addButton(s.dialog, spec.okText, GTK_RESPONSE_OK);
  addButton(s.dialog, spec.cancelText, GTK_RESPONSE_CANCEL);
  g_signal_connect(actions, "changed", G_CALLBACK(onActionChanged), &s);
  g_signal_connect(s.dialog, "key-press-event", G_CALLBACK(onDialogKey), &s);
  showCentred(s.dialog, owner);
  refresh(s);
  gtk_widget_grab_focus(s.capture);
  int response = 0;
  // OK counts only with a key captured, however it was pressed.
  while ((response = runModal(s.dialog)) == GTK_RESPONSE_OK && !model.canAccept()) {
  }
  closeWindow(s.dialog);
  return response == GTK_RESPONSE_OK;
}

}  // namespace zarnel::gtkdlg
