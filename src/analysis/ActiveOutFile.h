// The per-step file pump of a graph sequence: each step probes its feed
// and writes the value on a line of its own, or appends it to an HDF5
// vector.
#pragma once

#include "analysis/messages.h"
#include "objectbase/MessageProbe.h"

struct ActiveOutFile : MessageProbe {
  id file;      // OutFile, owned
  id dataFeed;  // the probed object
  double currentValue;
  id hdf5Dataset;  // extensible vector node, owned, or nil

  // Creating.
  id setFileObject(id aFile);
  id setHDF5Dataset(id vector);
  id setDataFeed(id feed);
  id createEnd();

  // Using.
  id step();
  double getCurrentValue();
  void drop();
};
