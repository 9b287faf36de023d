#include "platform/disk.h"

namespace velmora {

namespace {
CHostDisk theHostDisk;
CDisk* thepDisk = &theHostDisk;
}  // namespace

CDisk& Disk() {
  return *thepDisk;
}
void SetDisk(CDisk* pDisk) {
  thepDisk = pDisk ? pDisk : &theHostDisk;
}

}  // namespace velmora
