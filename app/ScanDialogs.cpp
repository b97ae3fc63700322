// The scan dialogs over the dialog service.

#include "app/ScanDialogs.h"

#include <cstdio>

#include "app/DialogTexts.h"
#include "app/FatalError.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "library/CdScan.h"
#include "library/DiscRuns.h"
#include "app/FileScanAnalyser.h"
#include "library/HardDiskScan.h"
#include "library/LibraryPaths.h"
#include "library/ScanList.h"
#include "library/TrackStore.h"
#include "platform/DialogService.h"

namespace zarnel {
namespace {

constexpr const char* kScanListName = "mp3database.txt";
constexpr const char* kStopText = "Stop";
constexpr const char* kCaption = "Zarnel";

bool ready(const ScanDialogLinks& l) {
  return l.dialogs && l.folders && l.files && l.list && l.settings && l.texts;
}

std::string listPath(const ScanDialogLinks& l) { return pathInFolder(l.settings->homeFolder, kScanListName); }

std::string dialogString(const ScanDialogLinks& l, DialogId d, DialogText t) { return dialogText(*l.texts, d, t); }

// The message of an outcome that has one, from the language file.
void showOutcome(const ScanDialogLinks& l, ScanOutcome outcome) {
  if (outcome == ScanOutcome::kNothingTicked) {
    l.dialogs->message(std::string(l.texts->text(TextSection::kOthers, kOtherNoHdSelected)), kCaption);
  } else if (outcome == ScanOutcome::kCannotCreate || outcome == ScanOutcome::kWriteFailed) {
    l.dialogs->message(std::string(l.texts->errorText(kErrorCreateFile)), kCaption);
  }
}

bool askYesNo(const ScanDialogLinks& l, const std::string& question) {
  return l.dialogs->ask(question, kCaption, dialogString(l, kDialogDefault, kDialogOk),
                        dialogString(l, kDialogDefault, kDialogCancel));
}

}  // namespace

void reloadScanList(const ScanDialogLinks& l) {
  if (!ready(l)) return;
  const std::string search = l.list->currentSearch();
  l.list->load(*l.files, listPath(l));
  if (!search.empty()) l.list->search(search);
  if (l.reloaded) l.reloaded();
}

void runHardDiskScan(const ScanDialogLinks& l) {
  if (!ready(l)) return;
  HardDiskScan scan(*l.folders, *l.files, listPath(l));
  HdScanSpec spec;
  spec.title = dialogString(l, kDialogScanHd, kDialogTitle);
  spec.okText = dialogString(l, kDialogScanHd, kDialogOk);
  spec.scanForLabel = dialogString(l, kDialogScanHd, kDialogLabel1);
  spec.mp3Text = dialogString(l, kDialogScanHd, kDialogLabel2);
  spec.wavText = dialogString(l, kDialogScanHd, kDialogLabel3);
  spec.analyseText = dialogString(l, kDialogScanHd, kDialogLabel4);
  spec.wmaText = dialogString(l, kDialogScanHd, kDialogLabel5);
  for (const FolderRoot& root : scan.drives()) spec.drives.push_back(root.displayName);
  spec.ticked = HardDiskScan::fixedTicks(scan.drives());
  bool scanned = false;
  l.dialogs->scanHardDrive(spec, [&](const HdScanChoice& choice) {
    const ScanOutcome started = scan.start(*l.list, choice.ticked);
    showOutcome(l, started);
    if (started == ScanOutcome::kNothingTicked) return false;
    if (started != ScanOutcome::kDone) return true;
    std::unique_ptr<ProgressWindow> progress = l.dialogs->openProgress(spec.title, kStopText);
    if (!progress) return true;
    FileScanAnalyser analyser(*l.files, l.store, [&](const std::string&, const std::string& message) {
      l.dialogs->message(message, kCaption);
    });
    const ScanOutcome walked = scan.walk(*progress, HardDiskScan::filterBits(choice.mp3, choice.wav, choice.wma),
                                         choice.analyse ? &analyser : nullptr);
    progress.reset();
    showOutcome(l, walked);
    scanned = true;
    return true;
  });
  if (scanned) reloadScanList(l);
}

void runCdScan(const ScanDialogLinks& l) {
  if (!ready(l)) return;
  CdScan scan(*l.folders, *l.files, listPath(l));
  const std::vector<FolderRoot> roots = l.folders->roots();
  CdScanSpec spec;
  spec.title = dialogString(l, kDialogScanCd, kDialogTitle);
  spec.scanText = dialogString(l, kDialogScanCd, kDialogOk);
  spec.driveLabel = dialogString(l, kDialogScanCd, kDialogLabel1);
  spec.nameLabel = dialogString(l, kDialogScanCd, kDialogLabel2);
  for (size_t i = 0; i < roots.size(); ++i) {
    spec.drives.push_back(roots[i].displayName);
    const std::string root = CdScan::driveRoot(roots[i].path, l.folders->separator());
    if (root == l.settings->cdDrive || (spec.selected < 0 && roots[i].kind == FolderRootKind::kOptical)) {
      spec.selected = int32_t(i);
    }
  }
  spec.name = CdScan::proposedName(*l.list);
  bool scanned = false;
  l.dialogs->scanCd(spec, [&](CdScanChoice& choice) {
    const bool drive = choice.drive >= 0 && size_t(choice.drive) < roots.size();
    if (CdScan::checkName(choice.name, drive) != DiscNameCheck::kAccepted) return false;
    const FolderRoot& root = roots[size_t(choice.drive)];
    l.settings->cdDrive = CdScan::driveRoot(root.path, l.folders->separator());
    bool replace = false;
    if (CdScan::isDuplicate(*l.list, choice.name)) {
      if (!askYesNo(l, std::string(l.texts->text(TextSection::kOthers, kOtherDupCd)))) return false;
      replace = true;
    }
    const ScanOutcome started = scan.start(*l.list, choice.name, replace);
    showOutcome(l, started);
    if (started != ScanOutcome::kDone) return true;
    std::unique_ptr<ProgressWindow> progress = l.dialogs->openProgress(spec.title, kStopText);
    if (!progress) return true;
    showOutcome(l, scan.walk(root.path, *progress));
    scanned = true;
    return true;
  });
  if (scanned) reloadScanList(l);
}

void runDeleteCd(const ScanDialogLinks& l) {
  if (!ready(l)) return;
  const std::vector<DiscRun> runs = discRuns(*l.list);
  DeleteCdSpec spec;
  spec.title = dialogString(l, kDialogDeleteCd, kDialogTitle);
  spec.deleteText = dialogString(l, kDialogDeleteCd, kDialogOk);
  spec.discHeading = std::string(l.texts->text(TextSection::kColumns, kColumnCd));
  spec.filesHeading = std::string(l.texts->text(TextSection::kColumns, kColumnNumber));
  for (const DiscRun& run : runs) spec.rows.emplace_back(run.text, std::to_string(run.lines));
  std::optional<std::vector<int32_t>> selected = l.dialogs->deleteCd(spec);
  if (!selected || selected->empty()) return;
  showOutcome(l, deleteDiscs(*l.list, runs, *selected, *l.files, *l.folders, listPath(l)));
  reloadScanList(l);
}

}  // namespace zarnel
