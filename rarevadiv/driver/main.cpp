// The program's entry point: starts the toolkit, builds the top-level brood
// for the chosen mode and runs it.
#include "defobj/Archiver.h"
#include "defobj/archiving_messages.h"
#include "driver/WarmlingBatchBrood.h"
#include "driver/messages.h"
#include "model/warmling_model.h"
#include "startup/BroodEnvironment.h"

DECLARE_CLASS_REGISTRATION(WarmlingBatchBrood);
DECLARE_CLASS_REGISTRATION(WarmlingObserverBrood);

int main(int argc, char** argv) {
  warmling_register_classes();
  objc_register_WarmlingBatchBrood();
  objc_register_WarmlingObserverBrood();
  _initBrood_(argc, argv, "rarevadiv", "2.1.1", "rarevadiv-maintainers@brood.invalid", Nil, nullptr,
              nullptr, NO, NO);
  id top;
  if (broodGUIMode) {
    top = msg::createBegin(objc_get_class("WarmlingObserverBrood"), _obj_globalZone);
    msg::setWindowGeometryRecordName(top, "theTopLevelBrood");
    top = msg::createEnd(top);
  } else {
    top = archivedBrood(_obj_globalZone, "batchBrood", "WarmlingBatchBrood", "main");
  }
  msg::buildObjects(top);
  msg::buildActions(top);
  msg::activateIn(top, nil);
  msg::go(top);
  return 0;
}
