// Helpers shared by the rows and sections of probe displays.
#pragma once

#include <cstddef>

#include "runtime/objc.h"

// Room for a variable's value text, and for a method's result text.
inline constexpr size_t ProbeValueTextSize = 5120;
inline constexpr size_t ProbeResultTextSize = 128;

// The text of an entry, kept until the next call; null when Tk could not
// give it (its window is gone).
const char* probeEntryText(id entry);

// A plain frame in the parent widget.
id probeFrameIn(id parent);

// Shows the text in an entry that is kept inactive: the entry takes a new
// value only while active.
void probeShowInInactiveEntry(id entry, const char* text);

// YES for an object that still lives; names and values read from Tcl or
// from variables may be stale.
BOOL probeObjectLives(id object);

// A probe display of the object, or the bell when there is none to show.
void probeDisplayOrBell(id object);

// The object's name for a drag, or the bell and the empty text.
const char* probeObjectNameOrBell(id object);

// Where the rows of a probe map go: variable rows under varParent with their
// name and value columns, method rows in messageParent.
struct ProbeRowPlaces {
  id varParent, left, right, messageParent;
  int maxLabelWidth;  // 0: natural width
};

// Makes, stores in rows and packs a row per probe of the map (at most
// count), variables first, each in the map's order; answers how many.
unsigned makeProbeRows(id map, id object, const ProbeRowPlaces& places, id* rows, unsigned count);
