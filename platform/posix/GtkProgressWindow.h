#pragma once
// The progress window of long jobs on the UI thread: one line of text and a
// "Stop" button, modeless towards the main window but disabling the other
// dialogs while it is open. UI thread.

#include <functional>
#include <memory>
#include <string>

#include "platform/DialogService.h"
#include "platform/posix/GtkDialogLogic.h"

namespace zarnel::gtkdlg {

// Return: a progress window centred over owner when withGtk, else one that
// shows nothing and is never stopped. Both run pumpHook (when set) in pump().
std::unique_ptr<ProgressWindow> makeProgressWindow(bool withGtk, const Rect& owner, const std::string& title,
                                                   const std::string& stopText, std::function<void()> pumpHook);

}  // namespace zarnel::gtkdlg
