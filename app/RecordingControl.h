#pragma once
// The recording as the DJ drives it: the "Record" button creates the
// recorder (asking for a file name when none is set) and a second press
// ends it; "Cut" and the crossfader reaching an end cut to the next file;
// the record page shows its state. The recorder hears the running engine,
// and follows it when the sound configuration rebuilds it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "mixer/Recorder.h"

namespace zarnel {

class DialogService;
class DynamicLibraries;
class FileSystem;
class Localisation;
class OutputEngine;
struct Settings;

// Borrowed; outlive the control.
struct RecordingLinks {
  FileSystem* files = nullptr;
  DynamicLibraries* libraries = nullptr;  // null: a broadcast plug-in cannot load
  void* hostWindow = nullptr;             // the plug-ins' parent window; null: the recorder's own record
  DialogService* dialogs = nullptr;  // null: no file name can be asked for
  const Localisation* texts = nullptr;
  Settings* settings = nullptr;
  std::function<OutputEngine*()> engine;  // the running engine, or null
  // Without a thread of its own the recorder writes when writeCycle is called
  // (offline renders, which drive the audio loop themselves).
  bool writerThread = true;
};

// UI thread.
class RecordingControl {
 public:
  explicit RecordingControl(RecordingLinks links);
  // Ends a recording (see stop).
  ~RecordingControl();
  RecordingControl(const RecordingControl&) = delete;
  RecordingControl& operator=(const RecordingControl&) = delete;

  // The "Record" button and its shortcut: ends the recording when one
  // exists, else creates one for the file name (asked for first when there
  // is none; nothing happens when the DJ cancels).
  void toggle();
  // Creates a recorder for name at once (the file name becomes name).
  // Return: whether it records or waits for a desk to play.
  bool start(const std::string& name);
  // Ends the recording: the engine lets go of the recorder first, then the
  // rest of its frames are written and the file closed with valid sizes.
  // Return: false if a write of the recording failed.
  bool stop();
  // "Cut", and the crossfader reaching an end with "AutoCut" on.
  void cut();
  // The engine is about to be destroyed, or a new one runs.
  void engineGone();
  void engineBack();
  // The offline render's writer step (no writer thread).
  void writeCycle();

  // "Filename :": the name the recorder takes; the dialog changes it.
  const std::string& fileName() const { return fileName_; }
  void setFileName(std::string name) { fileName_ = std::move(name); }
  // Asks for the file name. Return: false when the DJ cancelled.
  bool chooseFileName();

  bool active() const { return recorder_ != nullptr; }
  // The state of the recorder that stop ended last.
  const RecorderStatus& lastStatus() const { return last_; }
  Recorder* recorder() const { return recorder_.get(); }
  // The record page's text for the recorder's state; empty without one.
  std::string statusText() const;
  // Return: once, the message of a recording that a failed write stopped;
  // empty otherwise.
  std::string takeFailure();

 private:
  void detach();

  RecordingLinks links_;
  std::string fileName_;
  std::unique_ptr<Recorder> recorder_;
  OutputEngine* attached_ = nullptr;
  bool failureTold_ = false;
  RecorderStatus last_;
};

}  // namespace zarnel
