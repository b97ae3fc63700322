#pragma once
// Raw CD access on Linux: READ CD through SG_IO (see SgioCdDrive for how
// drive letters map to devices and the ZARNEL_CD_DEVICE override).

#include "platform/CdDrive.h"

namespace zarnel {

// Thread: UI thread.
class SgioCdAccess : public CdAccess {
 public:
  // Return: true; the method is always present on Linux, and a missing drive
  // shows when a drive is opened.
  bool available() override;
  // Return: a new, closed SgioCdDrive.
  std::unique_ptr<CdDrive> createDrive() override;
};

}  // namespace zarnel
