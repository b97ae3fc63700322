#pragma once
// What every GTK dialog shares: GTK started once, lazily; a dialog window
// made modal, kept above and centred over the owner rectangle; the modal run
// and the closing. Internal to the GTK dialog files. UI thread.

#include <gtk/gtk.h>

#include <string>

#include "platform/posix/GtkDialogLogic.h"

namespace zarnel::gtkdlg {

// Return: whether GTK could start (a display is there); the first call
// starts it, later calls answer the same.
bool gtkReady();

// Return: a new dialog titled title with no buttons yet, modal and kept
// above, its content area spaced.
GtkWidget* newDialog(const std::string& title);

// Adds a button with the given response; the text's underscores are literal.
GtkWidget* addButton(GtkWidget* dialog, const std::string& text, int response);

// Shows every widget of window and moves it to the centre of owner (of the
// screen when owner has no size).
void showCentred(GtkWidget* window, const Rect& owner);

// Runs dialog modally until a response. Return: the response.
int runModal(GtkWidget* dialog);

// Destroys window and lets GTK take it off the screen at once.
void closeWindow(GtkWidget* window);

// Runs the pending GTK events without waiting.
void drainEvents();

// Return: GTK's own word for a button ("_OK", "_Cancel", "_Open", "_Save"),
// in the user's language when GTK has it; used where the caller gives none.
std::string toolkitWord(const char* word);

}  // namespace zarnel::gtkdlg
