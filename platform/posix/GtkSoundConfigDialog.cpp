// The sound configuration: two rows of three pictures (card set-up, output
// set-up), the two device lists and the software-render box; OK follows the
// caller's validity test.
#include <array>

#include "platform/posix/GtkDialogs.h"
#include "platform/posix/GtkSession.h"

namespace zarnel::gtkdlg {

namespace {

constexpr int32_t kPictureWidth = 87, kPictureHeight = 90;

struct SoundState {
  SoundConfigChoice choice;
  const std::function<bool(const SoundConfigChoice&)>* valid = nullptr;
  std::array<GtkWidget*, 3> cardAreas{}, outputAreas{};
  GtkWidget *card1 = nullptr, *card2 = nullptr, *card2Label = nullptr, *software = nullptr, *ok = nullptr;
  GtkWidget* dialog = nullptr;
};

// Return: the picture as a pixbuf, or none when it has not 87 x 90 pixels.
GdkPixbuf* pixbufOf(const std::vector<uint32_t>& pixels) {
  if (pixels.size() != size_t(kPictureWidth) * kPictureHeight) return nullptr;
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, kPictureWidth, kPictureHeight);
  guchar* data = gdk_pixbuf_get_pixels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  for (int32_t y = 0; y < kPictureHeight; ++y) {
    for (int32_t x = 0; x < kPictureWidth; ++x) {
      const uint32_t p = pixels[size_t(y) * kPictureWidth + size_t(x)];
      guchar* at = data + y * stride + x * 3;
      at[0] = guchar(p >> 16);
      at[1] = guchar(p >> 8);
      at[2] = guchar(p);
    }
  }
  return pixbuf;
}

// A rounded rectangle whose corners are quarter ellipses a quarter of the
// width wide and a quarter of the height high.
void roundedFrame(cairo_t* cr, double x, double y, double w, double h) {
  const double rx = w / 8, ry = h / 8;
  cairo_new_path(cr);
  const double corners[4][3] = {{x + w - rx, y + ry, -G_PI / 2},
                                {x + w - rx, y + h - ry, 0},
                                {x + rx, y + h - ry, G_PI / 2},
                                {x + rx, y + ry, G_PI}};
  for (const auto& c : corners) {
    cairo_save(cr);
    cairo_translate(cr, c[0], c[1]);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, c[2], c[2] + G_PI / 2);
    cairo_restore(cr);
  }
  cairo_close_path(cr);
}

gboolean drawPicture(GtkWidget* area, cairo_t* cr, gpointer state) {
  auto* s = static_cast<SoundState*>(state);
  const bool output = g_object_get_data(G_OBJECT(area), "output") != nullptr;
  const int32_t index = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(area), "index"));
  auto* pixbuf = static_cast<GdkPixbuf*>(g_object_get_data(G_OBJECT(area), "pixbuf"));
  if (pixbuf) {
    gdk_cairo_set_source_pixbuf(cr, pixbuf, 0, 0);
    cairo_paint(cr);
  } else {
    cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
    cairo_rectangle(cr, 0, 0, kPictureWidth, kPictureHeight);
    cairo_fill(cr);
  }
  if ((output ? s->choice.outputSetup : s->choice.cardSetup) == index) {
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_set_line_width(cr, 2);
    roundedFrame(cr, 1, 1, kPictureWidth - 2, kPictureHeight - 2);
    cairo_stroke(cr);
  }
  return TRUE;
}

void refresh(SoundState& s) {
  gtk_widget_set_visible(s.software, s.choice.cardSetup == 1);
  gtk_widget_set_visible(s.card2, s.choice.cardSetup == 2);
  gtk_widget_set_visible(s.card2Label, s.choice.cardSetup == 2);
  gtk_widget_set_sensitive(s.ok, (*s.valid)(s.choice));
  for (GtkWidget* a : s.cardAreas) gtk_widget_queue_draw(a);
  for (GtkWidget* a : s.outputAreas) gtk_widget_queue_draw(a);
}

gboolean onPictureClick(GtkWidget* area, GdkEventButton* event, gpointer state) {
  if (event->button != 1) return FALSE;
  auto* s = static_cast<SoundState*>(state);
  const int32_t index = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(area), "index"));
  (g_object_get_data(G_OBJECT(area), "output") ? s->choice.outputSetup : s->choice.cardSetup) = index;
  refresh(*s);
  return TRUE;
}

void onControlChanged(GtkWidget*, gpointer state) {
  auto* s = static_cast<SoundState*>(state);
  s->choice.device1 = gtk_combo_box_get_active(GTK_COMBO_BOX(s->card1));
  s->choice.device2 = gtk_combo_box_get_active(GTK_COMBO_BOX(s->card2));
  s->choice.softwareRender = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(s->software));
  refresh(*s);
}

// Return: a row of three clickable pictures.
GtkWidget* pictureRow(SoundState& s, const std::vector<std::vector<uint32_t>>& pictures, bool output,
                      std::array<GtkWidget*, 3>& areas) {
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  gtk_widget_set_halign(row, GTK_ALIGN_CENTER);
  for (int32_t i = 0; i < 3; ++i) {
    GtkWidget* area = gtk_drawing_area_new();
    gtk_widget_set_size_request(area, kPictureWidth, kPictureHeight);
    gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK);
    g_object_set_data(G_OBJECT(area), "index", GINT_TO_POINTER(i));
    g_object_set_data(G_OBJECT(area), "output", output ? GINT_TO_POINTER(1) : nullptr);
    GdkPixbuf* pixbuf = size_t(i) < pictures.size() ? pixbufOf(pictures[size_t(i)]) : nullptr;
    if (pixbuf) g_object_set_data_full(G_OBJECT(area), "pixbuf", pixbuf, g_object_unref);
    g_signal_connect(area, "draw", G_CALLBACK(drawPicture), &s);
    g_signal_connect(area, "button-press-event", G_CALLBACK(onPictureClick), &s);
    gtk_box_pack_start(GTK_BOX(row), area, FALSE, FALSE, 0);
    areas[size_t(i)] = area;
  }
  return row;
}

GtkWidget* deviceCombo(const std::vector<std::string>& devices, int32_t selected) {
  GtkWidget* combo = gtk_combo_box_text_new();
  for (const std::string& d : devices) gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), d.c_str());
  if (selected >= 0 && size_t(selected) < devices.size()) gtk_combo_box_set_active(GTK_COMBO_BOX(combo), selected);
  gtk_widget_set_hexpand(combo, TRUE);
  return combo;
}

GtkWidget* deviceGrid(SoundState& s, const SoundConfigSpec& spec) {
  GtkWidget* grid = gtk_grid_new();
  gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
  gtk_grid_set_column_spacing(GTK_GRID(grid), 10);
  s.card1 = deviceCombo(spec.devices, spec.device1);
  s.card2 = deviceCombo(spec.devices, spec.device2);
  GtkWidget* label1 = gtk_label_new(spec.cardLabel.c_str());
  s.card2Label = gtk_label_new(spec.card2Label.c_str());
  gtk_label_set_xalign(GTK_LABEL(label1), 0.0f);
  gtk_label_set_xalign(GTK_LABEL(s.card2Label), 0.0f);
  s.software = gtk_check_button_new_with_label(spec.softwareText.c_str());
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(s.software), spec.softwareRender);
  gtk_grid_attach(GTK_GRID(grid), label1, 0, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), s.card1, 1, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), s.card2Label, 0, 1, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), s.card2, 1, 1, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), s.software, 0, 2, 2, 1);
  g_signal_connect(s.card1, "changed", G_CALLBACK(onControlChanged), &s);
  g_signal_connect(s.card2, "changed", G_CALLBACK(onControlChanged), &s);
  g_signal_connect(s.software, "toggled", G_CALLBACK(onControlChanged), &s);
  return grid;
}

}  // namespace

void runSoundConfig(const Rect& owner, const SoundConfigSpec& spec,
                    const std::function<bool(const SoundConfigChoice&)>& valid,
                    const std::function<bool(const SoundConfigChoice&)>& onOk) {
  SoundState s;
  s.choice = {spec.cardSetup, spec.outputSetup, spec.softwareRender, spec.device1, spec.device2};
  s.valid = &valid;
  s.dialog = newDialog(spec.title);
  gtk_window_set_resizable(GTK_WINDOW(s.dialog), FALSE);
  GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(s.dialog));
  gtk_box_pack_start(GTK_BOX(area), pictureRow(s, spec.cardPictures, false, s.cardAreas), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(area), pictureRow(s, spec.outputPictures, true, s.outputAreas), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(area), deviceGrid(s, spec), FALSE, FALSE, 4);
  s.ok = addButton(s.dialog, spec.okText, GTK_RESPONSE_OK);
  addButton(s.dialog, spec.cancelText, GTK_RESPONSE_CANCEL);
  gtk_dialog_set_default_response(GTK_DIALOG(s.dialog), GTK_RESPONSE_OK);
  showCentred(s.dialog, owner);
  refresh(s);
  while (runModal(s.dialog) == GTK_RESPONSE_OK) {
    if (valid(s.choice) && onOk(s.choice)) break;
  }
  closeWindow(s.dialog);
}

}  // namespace zarnel::gtkdlg
