// Objects made from HDF5 nodes, as lispIn makes them from archive
// expressions.
#pragma once

#include "runtime/objc.h"

// The object that the node holds, made in the zone: of the class its
// "type" attribute names, or one made from the node when the runtime has
// none of that name; a node without "type" is of a class made for it when
// it is a group with members or a dataset of fewer than 2 records, and a
// List otherwise.
id hdf5In(id zone, id node);
