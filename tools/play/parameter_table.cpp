#include "parameter_table.h"

#include "vst3_host.h"

namespace spwplay {

ParameterTable::ParameterTable(spwhost::Plugin& plugin)
    : scale_(plugin), values_(std::make_unique<std::atomic<double>[]>(size_t(scale_.Count()))) {
  ReadFrom(plugin);
}

void ParameterTable::ReadFrom(spwhost::Plugin& plugin) {
  for (int i = 0; i < Count(); ++i) Set(i, plugin.GetParamNormalized(Id(i)));
}

}  // namespace spwplay
