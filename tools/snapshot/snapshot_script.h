#pragma once
// spw_snapshot's actions carried out on a started editor session. Programmes
// and settings are named as spw_render names them: resolved through the
// programme list and parameters the plug-in publishes to a host.

#include <cstdio>
#include <string>
#include <vector>

#include "parameter_catalog.h"
#include "program_catalog.h"
#include "snapshot_options.h"

namespace spwsnapshot {

class EditorSession;

class SnapshotScript {
 public:
  // The session must be started and outlive the script.
  explicit SnapshotScript(EditorSession& session);

  // Checks every programme and setting before anything runs; false with the first reason.
  bool Check(const std::vector<SnapshotAction>& actions, std::string* error) const;
  // Carries out one action, then one block of audio and one draw cycle. A
  // programme or setting that does not resolve is skipped (Check reports it).
  // False with a reason for a --type that found no entry or no value (the rest
  // cannot mean what was meant, so the run stops there).
  bool Run(const SnapshotAction& action, std::string* error);
  bool RunAll(const std::vector<SnapshotAction>& actions, std::string* error);

  // The names --program and --set take, as spw_render lists them.
  void PrintProgrammeNames(std::FILE* out) const { programmes_.Print(out); }
  void PrintParameterNames(std::FILE* out) const { parameters_.Print(out); }

 private:
  bool Resolve(const SnapshotAction& action, spwrender::ParameterChange* change, std::string* error) const;

  EditorSession& session_;
  spwrender::ParameterCatalog parameters_;
  spwrender::ProgramCatalog programmes_;
  std::string programmeError_;  // why the programme list could not be read, if it could not
};

}  // namespace spwsnapshot
