// Which module defines each public type or protocol name.
#include <string_view>
#include <unordered_map>

#include "defobj/module.h"

namespace {

struct ModuleNames {
  const char* module;
  const char* names;  // separated by blanks
};

const ModuleNames moduleNames[] = {
    {"", "Selector BroodEnvironment Phase"},
    {"defobj",
     "Archiver Arguments BehaviorPhase CREATABLE Copy Create CreatedClass Customize "
     "DefinedClass DefinedObject Drop Error EventType FArguments FCall GetName GetOwner HDF5 "
     "HDF5Archiver HDF5CompoundType LispArchiver RETURNABLE Serialization SetInitialValue "
     "Symbol Warning Zone"},
    {"collections",
     "ArchiverArray ArchiverKeyword ArchiverList ArchiverPair ArchiverQuoted ArchiverValue "
     "Array Collection CompareFunction DefaultMember ForEach ForEachKey Index InputStream "
     "KeyedCollection KeyedCollectionIndex List ListIndex ListShuffler Map MapIndex "
     "MemberBlock MemberSlot Offsets OrderedSet OutputStream Permutation PermutationItem "
     "PermutedIndex Set String _Set"},
    {"activity",
     "Action ActionArgs ActionCall ActionChanged ActionConcurrent ActionCreating "
     "ActionCreatingCall ActionCreatingForEach ActionCreatingTo ActionForEach "
     "ActionForEachHomogeneous ActionGroup ActionSelector ActionTarget ActionTo ActionType "
     "ActivationOrder Activity ActivityIndex AutoDrop CompoundAction ConcurrentGroup "
     "ConcurrentGroupType ConcurrentSchedule DefaultOrder FAction FActionCreating "
     "FActionCreatingForEachHeterogeneous FActionCreatingForEachHomogeneous FActionForEach "
     "FActionForEachHeterogeneous FActionForEachHomogeneous ForEachActivity "
     "GetSubactivityAction RelativeTime RepeatInterval Schedule ScheduleActivity "
     "SingletonGroups BroodActivity BroodProcess SynchronizationType"},
    {"objectbase",
     "ActivityControl CompleteProbeMap CompleteVarMap CustomProbeMap DefaultProbeMap "
     "EmptyProbeMap MessageProbe Probe ProbeConfig ProbeLibrary ProbeMap Brood BroodObject "
     "VarProbe"},
    {"random",
     "ACGgen BasicRandomGenerator BernoulliDist BinomialDist BooleanDistribution C2LCGXgen "
     "C2MRG3gen C2TAUS1gen C2TAUS2gen C2TAUS3gen C2TAUSgen C3MWCgen C4LCGXgen CommonGenerator "
     "DoubleDistribution ExponentialDist GammaDist IntegerDistribution InternalState LCG1gen "
     "LCG2gen LCG3gen LCGgen LogNormalDist MRG5gen MRG6gen MRG7gen MRGgen MT19937gen MWCAgen "
     "MWCBgen Normal NormalDist PMMLCG1gen PMMLCG2gen PMMLCG3gen PMMLCG4gen PMMLCG5gen "
     "PMMLCG6gen PMMLCG7gen PMMLCG8gen PMMLCG9gen PMMLCGgen PSWBgen PoissonDist "
     "ProbabilityDistribution RWC2gen RWC8gen RandomBitDist SCGgen SWB1gen SWB2gen SWB3gen "
     "SWBgen SimpleGenerator SimpleRandomGenerator SplitGenerator SplitRandomGenerator "
     "TGFSRgen TT403gen TT775gen TT800gen UniformDoubleDist UniformIntegerDist "
     "UniformUnsignedDist UnsignedDistribution"},
    {"simtools",
     "AppendFile InFile NSelect ObjectLoader ObjectSaver OutFile QSort UName"},
    {"gui",
     "ArchivedGeometryWidget Button ButtonPanel Canvas CanvasAbstractItem CanvasItem "
     "CheckButton Circle ClassDisplayHideButton ClassDisplayLabel Colormap "
     "CompleteProbeDisplayLabel CompositeItem Drawer Entry Form Frame Graph GraphElement "
     "Histogram InputWidget Label Line LinkItem MessageProbeEntry NodeItem OvalNodeItem "
     "Pixmap ProbeCanvas Raster Rectangle RectangleNodeItem ScheduleItem "
     "SimpleProbeDisplayHideButton SuperButton TextItem VarProbeEntry VarProbeLabel Widget "
     "WindowGeometryRecord ZoomRaster"},
    {"simtoolsgui",
     "ActionCache CommonProbeDisplay CompleteProbeDisplay CompositeWindowGeometryRecordName "
     "ControlPanel GUIComposite GUIBrood MessageProbeWidget MultiVarProbeDisplay "
     "MultiVarProbeWidget ProbeDisplay ProbeDisplayManager SimpleProbeDisplay "
     "SingleProbeDisplay WindowGeometryRecordName"},
    {"space",
     "Ca2d ConwayLife2d DblBuffer2d Diffuse2d Discrete2d Grid2d GridData Int2dFiler "
     "Object2dDisplay Value2dDisplay"},
    {"analysis",
     "ActiveGraph ActiveOutFile Averager EZAverageSequence EZBin EZDistribution EZGraph "
     "EZSequence Entropy FunctionGraph"},
};
// The map is read from the table above once, on first use.
const std::unordered_map<std::string_view, const char*>& moduleMap() {
  static const auto map = [] {
    std::unordered_map<std::string_view, const char*> m;
    for (const ModuleNames& group : moduleNames) {
      std::string_view names = group.names;
      while (!names.empty()) {
        const size_t end = names.find(' ');
        m.emplace(names.substr(0, end), group.module);
        names = end == std::string_view::npos ? std::string_view() : names.substr(end + 1);
      }
    }
    return m;
  }();
  return map;
}

}  // namespace

const char* brood_lookup_module(const char* name) {
  if (!name) return nullptr;
  const auto& map = moduleMap();
  const auto found = map.find(name);
  return found == map.end() ? nullptr : found->second;
}
