// Messages of the lattices and automata. Cells are machine words
// (intptr_t), row after row; the row-offset table holds y*xsize at entry y.
#pragma once

#include <cstdint>

#include "defobj/messages.h"

namespace msg {
// Discrete2d: creation.
inline const Message<id(id, unsigned, unsigned)> create_setSizeX_Y{"create:setSizeX:Y:"};  // class
inline const Message<id(unsigned, unsigned)> setSizeX_Y{"setSizeX:Y:"};
inline const Message<intptr_t*()> allocLattice{"allocLattice"};
inline const Message<id()> makeOffsets{"makeOffsets"};
inline const Message<id(intptr_t*)> setLattice{"setLattice:"};
inline const Message<id(BOOL)> setObjectFlag{"setObjectFlag:"};

// GridData: the read access the displays use.
inline const Message<unsigned()> getSizeX{"getSizeX"};
inline const Message<unsigned()> getSizeY{"getSizeY"};
inline const Message<intptr_t*()> getLattice{"getLattice"};
inline const Message<intptr_t*()> getOffsets{"getOffsets"};
inline const Message<id(unsigned, unsigned)> getObjectAtX_Y{"getObjectAtX:Y:"};
inline const Message<intptr_t(unsigned, unsigned)> getValueAtX_Y{"getValueAtX:Y:"};

// Discrete2d: use.
inline const Message<id(id, unsigned, unsigned)> putObject_atX_Y{"putObject:atX:Y:"};
inline const Message<id(intptr_t, unsigned, unsigned)> putValue_atX_Y{"putValue:atX:Y:"};
inline const Message<id(intptr_t)> fastFillWithValue{"fastFillWithValue:"};
inline const Message<id(id)> fastFillWithObject{"fastFillWithObject:"};
inline const Message<id(intptr_t)> fillWithValue{"fillWithValue:"};
inline const Message<id(id)> fillWithObject{"fillWithObject:"};
inline const Message<id(id, id)> copyDiscrete2d_toDiscrete2d{"copyDiscrete2d:toDiscrete2d:"};
inline const Message<int(id, const char*)> setDiscrete2d_toFile{"setDiscrete2d:toFile:"};

// Grid2d.
inline const Message<id(BOOL)> setOverwriteWarnings{"setOverwriteWarnings:"};

// DblBuffer2d.
inline const Message<intptr_t*()> getNewLattice{"getNewLattice"};
inline const Message<id()> updateLattice{"updateLattice"};

// Ca2d.
inline const Message<id(unsigned)> setNumStates{"setNumStates:"};
inline const Message<id()> initializeLattice{"initializeLattice"};
inline const Message<id()> stepRule{"stepRule"};

// Diffuse2d.
inline const Message<id(id, unsigned, unsigned, double, double)>
    create_setSizeX_Y_setDiffusionConstant_setEvaporationRate{
        "create:setSizeX:Y:setDiffusionConstant:setEvaporationRate:"};  // class
inline const Message<id(double)> setDiffusionConstant{"setDiffusionConstant:"};
inline const Message<id(double)> setEvaporationRate{"setEvaporationRate:"};
}  // namespace msg
