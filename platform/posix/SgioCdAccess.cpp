#include "platform/posix/SgioCdAccess.h"

#include "platform/posix/SgioCdDrive.h"

namespace zarnel {

bool SgioCdAccess::available() { return true; }

std::unique_ptr<CdDrive> SgioCdAccess::createDrive() { return std::make_unique<SgioCdDrive>(); }

}  // namespace zarnel
