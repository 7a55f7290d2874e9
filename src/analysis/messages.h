// Messages of the analysis tools: the averager, the graph facade, its
// sequences and its per-step pumps.
#pragma once

#include "objectbase/shared_messages.h"
#include "collections/keyed_messages.h"  // setCollection:, which averagers answer
#include "activity/messages.h"
#include "simtools/messages.h"
#include "simtoolsgui/messages.h"

namespace msg {
// Averager.
inline const Message<id(double)> addValueToAverage{"addValueToAverage:"};
inline const Message<double()> getAverage{"getAverage"};
inline const Message<double()> getMovingAverage{"getMovingAverage"};
inline const Message<double()> getVariance{"getVariance"};
inline const Message<double()> getMovingVariance{"getMovingVariance"};
inline const Message<double()> getStdDev{"getStdDev"};
inline const Message<double()> getMovingStdDev{"getMovingStdDev"};
inline const Message<double()> getTotal{"getTotal"};
inline const Message<double()> getMax{"getMax"};
inline const Message<double()> getMin{"getMin"};

// EZGraph: creation (class messages).
inline const Message<id(id, const char*, const char*, const char*, const char*)>
    create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName{
        "create:setTitle:setAxisLabelsX:Y:setWindowGeometryRecordName:"};
inline const Message<id(id, const char*, const char*, const char*, const char*, BOOL)>
    create_setTitle_setAxisLabelsX_Y_setWindowGeometryRecordName_setSaveSizeFlag{
        "create:setTitle:setAxisLabelsX:Y:setWindowGeometryRecordName:setSaveSizeFlag:"};
inline const Message<id(id, BOOL)> create_setFileOutput{"create:setFileOutput:"};
inline const Message<id(id, const char*)> create_setFileName{"create:setFileName:"};
inline const Message<id(id, id, const char*)> create_setHDF5Container_setPrefix{
    "create:setHDF5Container:setPrefix:"};

// EZGraph: creating phase.
inline const Message<id(int)> setGraphics{"setGraphics:"};
inline const Message<id(BOOL)> setFileOutput{"setFileOutput:"};
inline const Message<id(id)> setHDF5Container{"setHDF5Container:"};
inline const Message<id(const char*)> setFileName{"setFileName:"};
inline const Message<id(const char**, unsigned)> setColors_count{"setColors:count:"};

// EZGraph: using phase.
inline const Message<id()> getGraph{"getGraph"};
inline const Message<const char*()> getTitle{"getTitle"};
inline const Message<const char*()> getFileName{"getFileName"};
inline const Message<id(const char*, id, SEL)> createSequence_withFeedFrom_andSelector{
    "createSequence:withFeedFrom:andSelector:"};
inline const Message<id(const char*, id, SEL)> createAverageSequence_withFeedFrom_andSelector{
    "createAverageSequence:withFeedFrom:andSelector:"};
inline const Message<id(const char*, id, SEL, unsigned)>
    createMovingAverageSequence_withFeedFrom_andSelector_andWidth{
        "createMovingAverageSequence:withFeedFrom:andSelector:andWidth:"};
inline const Message<id(const char*, id, SEL)> createVarianceSequence_withFeedFrom_andSelector{
    "createVarianceSequence:withFeedFrom:andSelector:"};
inline const Message<id(const char*, id, SEL, unsigned)>
    createMovingVarianceSequence_withFeedFrom_andSelector_andWidth{
        "createMovingVarianceSequence:withFeedFrom:andSelector:andWidth:"};
inline const Message<id(const char*, id, SEL)> createStdDevSequence_withFeedFrom_andSelector{
    "createStdDevSequence:withFeedFrom:andSelector:"};
inline const Message<id(const char*, id, SEL, unsigned)>
    createMovingStdDevSequence_withFeedFrom_andSelector_andWidth{
        "createMovingStdDevSequence:withFeedFrom:andSelector:andWidth:"};
inline const Message<id(const char*, id, SEL)> createTotalSequence_withFeedFrom_andSelector{
    "createTotalSequence:withFeedFrom:andSelector:"};
inline const Message<id(const char*, id, SEL)> createMinSequence_withFeedFrom_andSelector{
    "createMinSequence:withFeedFrom:andSelector:"};
inline const Message<id(const char*, id, SEL)> createMaxSequence_withFeedFrom_andSelector{
    "createMaxSequence:withFeedFrom:andSelector:"};
inline const Message<id(const char*, id, SEL)> createCountSequence_withFeedFrom_andSelector{
    "createCountSequence:withFeedFrom:andSelector:"};
inline const Message<id(const char*, id, id, SEL)>
    createGraphSequence_forSequence_withFeedFrom_andSelector{
        "createGraphSequence:forSequence:withFeedFrom:andSelector:"};
inline const Message<id(id)> dropSequence{"dropSequence:"};
inline const Message<id()> outputGraph{"outputGraph"};
inline const Message<id()> outputToFile{"outputToFile"};

// Sequences.
inline const Message<id(id)> setActiveOutFile{"setActiveOutFile:"};
inline const Message<id(id)> setActiveGrapher{"setActiveGrapher:"};
inline const Message<id(unsigned)> setUnsignedArg{"setUnsignedArg:"};
inline const Message<double()> getCurrentValue{"getCurrentValue"};  // pumps too
inline const Message<id(id)> setAverager{"setAverager:"};
inline const Message<id()> getAverager{"getAverager"};

// ActiveOutFile.
inline const Message<id(id)> setFileObject{"setFileObject:"};
inline const Message<id(id)> setHDF5Dataset{"setHDF5Dataset:"};
inline const Message<id(id)> setDataFeed{"setDataFeed:"};  // ActiveGraph too

// ActiveGraph.
inline const Message<id(id)> setElement{"setElement:"};
}  // namespace msg
