// A host emulator with the native module loaded and the host's table stored, as the host
// leaves things before its first gauge call.
#pragma once

#include <gtest/gtest.h>

#include "bench/host/host_emulator.h"
#include "bench/host/module_loader.h"

class LoadedModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.loaded()) << module.error();
    module.import_table()->services.table = host.table();
  }
  GaugeHeader* gauge(int index) { return module.linkage()->gauges[index]; }
  GaugeHeader* sound() { return gauge(0); }
  GaugeHeader* traffic() { return gauge(1); }

  bench::HostEmulator host;
  bench::LoadedModule module{KV3_MODULE_PATH};
};
