#include "bench/clickmap/click_map_command.h"

#include <cstdio>

#include "bench/clickmap/click_mapper.h"
#include "bench/clickmap/map_page.h"
#include "bench/clickmap/map_text.h"
#include "bench/sounds/riff_writer.h"
#include "bench/wine_run.h"

namespace bench {

int ClickMapCommand(const Options& o) {
  if (o.wine) return RunUnderWine(o);
  clickmap::ClickMap map;
  std::string error;
  if (!clickmap::MapClicks({o.module, o.file, {o.sim_root, o.fltsim}}, &map, &error))
    return std::fprintf(stderr, "kv3-bench: %s\n", error.c_str()), 2;
  for (const std::string& line : clickmap::MapLines(map)) std::printf("%s\n", line.c_str());
  std::printf("%s\n", clickmap::MapSummary(map).c_str());
  for (const std::string& problem : map.problems) std::fprintf(stderr, "%s\n", problem.c_str());
  if (!o.out.empty() && !WriteFileBytes(o.out, clickmap::MapPage(map, map.panel_dir)))
    return std::fprintf(stderr, "kv3-bench: cannot write %s\n", o.out.c_str()), 2;
  return 0;
}

}  // namespace bench
