#pragma once

// What every part of the workspace is handed: the face, the busy state, the data files and
// the status panels.

#include "app/busy_scope.h"
#include "app/host.h"
#include "app/status_panels.h"
#include "core/datadir.h"

namespace korvane {

struct SessionContext {
  Host& host;
  BusyState& busy;
  const DataFiles& files;
  StatusPanels& panels;
};

}  // namespace korvane
