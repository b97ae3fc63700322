#include "platform/posix/GtkProgressWindow.h"

#include "platform/posix/GtkSession.h"

namespace zarnel::gtkdlg {

namespace {

// Without a display: the job runs to its end, the main window still pumped.
class HeadlessProgress : public ProgressWindow {
 public:
  explicit HeadlessProgress(std::function<void()> hook) : hook_(std::move(hook)) {}
  void setText(const std::string&) override {}
  bool stopRequested() const override { return false; }
  void pump() override {
    if (hook_) hook_();
  }

 private:
  std::function<void()> hook_;
};

class GtkProgress : public ProgressWindow {
 public:
  GtkProgress(const Rect& owner, const std::string& title, const std::string& stopText, std::function<void()> hook)
      : hook_(std::move(hook)) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
    gtk_window_set_modal(GTK_WINDOW(window_), TRUE);  // the dialog that started the job waits
    gtk_window_set_keep_above(GTK_WINDOW(window_), TRUE);
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_container_set_border_width(GTK_CONTAINER(window_), 12);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 10);
    label_ = gtk_label_new("");
    gtk_label_set_ellipsize(GTK_LABEL(label_), PANGO_ELLIPSIZE_MIDDLE);
    gtk_label_set_width_chars(GTK_LABEL(label_), 60);
    gtk_label_set_xalign(GTK_LABEL(label_), 0.0f);
    GtkWidget* stop = gtk_button_new_with_label(stopText.c_str());
    gtk_widget_set_halign(stop, GTK_ALIGN_CENTER);
    gtk_box_pack_start(GTK_BOX(box), label_, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), stop, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window_), box);
    g_signal_connect(stop, "clicked", G_CALLBACK(onStop), stopFlag_.get());
    // Closing the window asks the job to stop; the window stays until it has.
    g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), stopFlag_.get());
    showCentred(window_, owner);
    drainEvents();
  }
  ~GtkProgress() override { closeWindow(window_); }

  void setText(const std::string& text) override { gtk_label_set_text(GTK_LABEL(label_), text.c_str()); }
  bool stopRequested() const override { return *stopFlag_; }
  void pump() override {
    drainEvents();
    if (hook_) hook_();
  }

 private:
  static void onStop(GtkButton*, gpointer flag) { *static_cast<bool*>(flag) = true; }
  static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer flag) {
    *static_cast<bool*>(flag) = true;
    return TRUE;
  }

  std::function<void()> hook_;
  std::unique_ptr<bool> stopFlag_ = std::make_unique<bool>(false);
  GtkWidget* window_ = nullptr;
  GtkWidget* label_ = nullptr;
};

}  // namespace

std::unique_ptr<ProgressWindow> makeProgressWindow(bool withGtk, const Rect& owner, const std::string& title,
                                                   const std::string& stopText, std::function<void()> pumpHook) {
  if (!withGtk) return std::make_unique<HeadlessProgress>(std::move(pumpHook));
  return std::make_unique<GtkProgress>(owner, title, stopText, std::move(pumpHook));
}

}  // namespace zarnel::gtkdlg
