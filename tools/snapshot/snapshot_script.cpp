#include "snapshot_script.h"

#include "editor_session.h"
#include "vst3_host.h"

namespace spwsnapshot {

using Kind = SnapshotAction::Kind;

SnapshotScript::SnapshotScript(EditorSession& session) : session_(session), parameters_(session.Host()) {
  if (!programmes_.Read(session.Host(), &programmeError_) && programmeError_.empty()) {
    programmeError_ = "the plug-in offers no programmes";
  }
}

bool SnapshotScript::Resolve(const SnapshotAction& action, spwrender::ParameterChange* change,
                             std::string* error) const {
  if (action.kind == Kind::Program) {
    if (!programmeError_.empty()) {
      *error = programmeError_;
      return false;
    }
    int number = 0;
    if (!programmes_.Resolve(action.text, &number, error)) return false;
    *change = programmes_.Selection(number);
    return true;
  }
  const size_t equals = action.text.find('=');
  return parameters_.Resolve(action.text.substr(0, equals), action.text.substr(equals + 1), change, error);
}

bool SnapshotScript::Check(const std::vector<SnapshotAction>& actions, std::string* error) const {
  for (const SnapshotAction& action : actions) {
    spwrender::ParameterChange change;
    if ((action.kind == Kind::Program || action.kind == Kind::Set) && !Resolve(action, &change, error)) return false;
  }
  return true;
}

bool SnapshotScript::Run(const SnapshotAction& action, std::string* error) {
  spwrender::ParameterChange change;
  switch (action.kind) {
    case Kind::Program:
    case Kind::Set:
      if (Resolve(action, &change, error)) session_.QueueChange(change.id, change.normalized);
      session_.Step();
      break;
    case Kind::Blocks:
      for (int i = 0; i < action.count; ++i) session_.Step();
      break;
    case Kind::Click:
    case Kind::RightClick:
      session_.Click(action.x, action.y, action.kind == Kind::RightClick);
      break;
    case Kind::Drag:
      session_.Drag(action.x, action.y, action.dx, action.dy);
      break;
    case Kind::Wheel:
      session_.Wheel(action.x, action.y, action.count);
      break;
    case Kind::Hover:
      session_.Hover(action.x, action.y);
      break;
    case Kind::Type:
      return session_.Type(action.text, error);
  }
  return true;
}

bool SnapshotScript::RunAll(const std::vector<SnapshotAction>& actions, std::string* error) {
  for (const SnapshotAction& action : actions) {
    if (!Run(action, error)) return false;
  }
  return true;
}

}  // namespace spwsnapshot
