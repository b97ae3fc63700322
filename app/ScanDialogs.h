#pragma once
// The search page's three scan dialogs: scanning the hard disks (with the
// optional extended analysis of every file), scanning a CD under a disc
// name, and deleting the lines of a disc or drive. Each runs its walk under
// a progress window whose "Stop" works, then the scan list is read again
// and the current search applied to it.

#include <functional>
#include <string>

namespace zarnel {

class DialogService;
class FileSystem;
class FolderService;
class Localisation;
class ScanList;
class TrackStore;
struct Settings;

// Borrowed; outlive the call. UI thread.
struct ScanDialogLinks {
  DialogService* dialogs = nullptr;
  FolderService* folders = nullptr;
  FileSystem* files = nullptr;
  TrackStore* store = nullptr;  // the extended analysis stores its results here
  ScanList* list = nullptr;
  Settings* settings = nullptr;
  const Localisation* texts = nullptr;
  std::function<void()> reloaded;  // the scan list was read again
};

void runHardDiskScan(const ScanDialogLinks& links);
void runCdScan(const ScanDialogLinks& links);
void runDeleteCd(const ScanDialogLinks& links);
// Reads the scan list file again and applies the current search.
void reloadScanList(const ScanDialogLinks& links);

}  // namespace zarnel
