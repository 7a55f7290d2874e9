#include "voduva/ArchivedGeometryWidget.h"

#include "defobj/Archiver.h"
#include "defobj/Zone.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "defobj/zstrdup.h"
#include "voduva/WindowGeometryRecord.h"
#include "voduva/voduva.h"

namespace {

// The record under a name, nil when the archive holds none; the caller
// drops it. Another kind of object under the name is a malformed archive.
WindowGeometryRecord* recordNamed(const char* name, const char* function) {
  if (!name) return nullptr;
  id record = msg::getObjectByKey(lispArchiver, name);
  if (record && !msg::isSubclass(record->isa, objc_get_class("WindowGeometryRecord")))
    raiseAt(WindowGeometryRecordError, function, "Object `%s' is not a WindowGeometryRecord (%s)\n", name,
            msg::getName(record));
  return static_cast<WindowGeometryRecord*>(record);
}

}  // namespace

id ArchivedGeometryWidget::createBegin(Class cls, id zone) {
  auto* widget = static_cast<ArchivedGeometryWidget*>(CreateDrop::createBegin(cls, zone));
  widget->windowGeometryRecordName = nullptr;
  return widget;
}

id ArchivedGeometryWidget::create_setWindowGeometryRecordName(Class cls, id zone, const char* name) {
  id widget = msg::createBegin(cls, zone);
  msg::setWindowGeometryRecordName(widget, name);
  return msg::createEnd(widget);
}

id ArchivedGeometryWidget::setWindowGeometryRecordName(const char* name) {
  if (windowGeometryRecordName) msg::free(getZone(), windowGeometryRecordName);
  windowGeometryRecordName = name ? zstrdup(getZone(), name) : nullptr;
  return this;
}

id ArchivedGeometryWidget::setSaveSizeFlag(BOOL flag) {
  saveSizeFlag = flag;
  return this;
}

id ArchivedGeometryWidget::loadWindowGeometryRecord() {
  return recordNamed(windowGeometryRecordName, "-[ArchivedGeometryWidget loadWindowGeometryRecord]");
}

id ArchivedGeometryWidget::registerAndLoad() {
  msg::registerClient(lispArchiver, this);
  id record = msg::loadWindowGeometryRecord(this);
  voduva_setName(getTopLevel(), windowGeometryRecordName);
  if (record && msg::getPositionFlag(record)) msg::setX_Y(this, msg::getX(record), msg::getY(record));
  if (record) msg::drop(record);
  return this;
}

id ArchivedGeometryWidget::updateSize() {
  id record = msg::loadWindowGeometryRecord(this);
  if (record && msg::getSizeFlag(record)) msg::setWidth_Height(this, msg::getWidth(record), msg::getHeight(record));
  if (record) msg::drop(record);
  return this;
}

id ArchivedGeometryWidget::createEnd() {
  Widget::createEnd();
  return msg::registerAndLoad(this);
}

void ArchivedGeometryWidget::updateArchiver(id archiver) {
  if (!windowGeometryRecordName) return;
  id record = recordNamed(windowGeometryRecordName, "-[ArchivedGeometryWidget updateArchiver:]");
  if (!record) record = msg::create(objc_get_class("WindowGeometryRecord"), getZone());
  if (saveSizeFlag) msg::setWidth_Height(record, msg::getWidth(this), msg::getHeight(this));
  msg::setX_Y(record, msg::getX(this), msg::getY(this));
  msg::putShallow_object(archiver, windowGeometryRecordName, record);
  msg::drop(record);
}

void ArchivedGeometryWidget::drop() {
  if (windowGeometryRecordName) msg::free(getZone(), windowGeometryRecordName);
  msg::unregisterClient(lispArchiver, this);
  Widget::drop();
}

REGISTER_CLASS(ArchivedGeometryWidget, Widget,
  ivar(&ArchivedGeometryWidget::windowGeometryRecordName, "windowGeometryRecordName"),
  ivar(&ArchivedGeometryWidget::saveSizeFlag, "saveSizeFlag"),
  phase(Phase::Creating),
  classMethod<&ArchivedGeometryWidget::createBegin>(msg::createBegin),
  classMethod<&ArchivedGeometryWidget::create_setWindowGeometryRecordName>(msg::create_setWindowGeometryRecordName),
  method<&ArchivedGeometryWidget::setWindowGeometryRecordName>(msg::setWindowGeometryRecordName),
  method<&ArchivedGeometryWidget::setSaveSizeFlag>(msg::setSaveSizeFlag),
  method<&ArchivedGeometryWidget::loadWindowGeometryRecord>(msg::loadWindowGeometryRecord),
  method<&ArchivedGeometryWidget::registerAndLoad>(msg::registerAndLoad),
  method<&ArchivedGeometryWidget::updateSize>(msg::updateSize),
  method<&ArchivedGeometryWidget::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ArchivedGeometryWidget::updateArchiver>(msg::updateArchiver),
  method<&ArchivedGeometryWidget::drop>(msg::drop))
