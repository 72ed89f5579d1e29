// The exported records as the host reads them after loading the module.
#include <cstring>

#include "platform/platform.h"

#include "tests/loaded_module.h"

namespace {

class ModuleRecords : public LoadedModuleTest {};

TEST_F(ModuleRecords, ImportTableHasTheServicesSlotAndEnds) {
  ImportTableRecord* table = module.import_table();
  EXPECT_EQ(table->services.tag, 15u);
  EXPECT_EQ(table->end.tag, 0u);
  EXPECT_EQ(table->end.table, nullptr);
}

TEST_F(ModuleRecords, LinkageHeadAndGaugeList) {
  LinkageRecord* linkage = module.linkage();
  EXPECT_EQ(linkage->module_id, 0x13u);
  EXPECT_NE(linkage->init, nullptr);
  EXPECT_NE(linkage->deinit, nullptr);
  EXPECT_EQ(linkage->flags, 0u);
  EXPECT_EQ(linkage->priority, 0u);
  EXPECT_EQ(linkage->version, 0x900u);
  EXPECT_STREQ(linkage->gauges[0]->name, "XMLSound");
  EXPECT_STREQ(linkage->gauges[1]->name, "TrafficInfo");
  EXPECT_EQ(linkage->gauges[2], nullptr);
  linkage->init();
  linkage->deinit();
  EXPECT_EQ(host.host_calls(), 0) << "module init and deinit call nothing";
}

void ExpectGauge(GaugeHeader* gauge, uint32_t bitmap) {
  SCOPED_TRACE(gauge->name);
  EXPECT_EQ(gauge->header_version, 800u);
  EXPECT_EQ(gauge->size, 19u);
  EXPECT_EQ(gauge->parameters, nullptr);
  EXPECT_NE(gauge->callback, nullptr);
  const unsigned char* raw = reinterpret_cast<const unsigned char*>(gauge);
  for (size_t offset : {40u, 48u, 88u, 96u, 248u}) EXPECT_EQ(raw[offset], 0) << offset;

  GaugeElementRecord* element = gauge->elements[0];
  EXPECT_EQ(gauge->elements[1], nullptr);
  EXPECT_EQ(element->kind, 0u);
  EXPECT_EQ(element->bitmap_id, bitmap);
  EXPECT_EQ(element->gauge, gauge);
  EXPECT_EQ(element->flags, 1u);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(element);
  for (size_t i = 8; i < 96; ++i) {
    bool host_owned = i < 32 || (i >= 36 && i < 48) || i >= 52;
    if (host_owned) {
      EXPECT_EQ(bytes[i], 0) << "element byte " << i;
    }
  }

  const MouseRectangle* mouse = gauge->mouse_rectangles;
  const int32_t kinds[] = {1, 3, 0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(mouse[i].kind, kinds[i]);
    EXPECT_EQ(mouse[i].cursor, -1);
    for (int32_t v : mouse[i].box) {
      EXPECT_EQ(v, 0);
    }
    for (int32_t v : mouse[i].rest) {
      EXPECT_EQ(v, 0);
    }
  }
}

TEST_F(ModuleRecords, BothGaugeHeadersWithTheirOwnElementsAndMouseLists) {
  ExpectGauge(sound(), 0x1000);
  ExpectGauge(traffic(), 0x1100);
  EXPECT_NE(sound()->mouse_rectangles, traffic()->mouse_rectangles);
  EXPECT_NE(sound()->callback, traffic()->callback);
}

TEST(MainWindow, RecordedOnAttachAndNullWithoutTheHostWindow) {
  standin::ClearWindows();
  {
    bench::LoadedModule module{KV3_MODULE_PATH};
    ASSERT_TRUE(module.loaded());
    EXPECT_EQ(*static_cast<HWND*>(module.Symbol("HostMainWindow")), nullptr);
  }
  standin::RegisterWindow("Other", "Other");
  HWND main = standin::RegisterWindow("FS98MAIN", "any title");
  bench::LoadedModule module{KV3_MODULE_PATH};
  EXPECT_EQ(*static_cast<HWND*>(module.Symbol("HostMainWindow")), main);
  EXPECT_EQ(standin::FindWindowCalls(), 2) << "one lookup per attach";
  standin::ClearWindows();
}

}  // namespace
