#pragma once
// SIGTERM, SIGHUP and SIGINT as the end of the user's session: the handler
// only notes the signal; the message loop turns it into kEndSession so the
// program closes as it does when its window is closed.

namespace zarnel {

// Installs the handlers once per process. Each handler fires once and then
// restores the default action, so a second signal still ends a program that
// hangs while closing. Any thread.
void installSessionSignals();

// Return: true once after each noted signal (the note is consumed). Any
// thread; never blocks.
bool takeSessionEnd();

}  // namespace zarnel
