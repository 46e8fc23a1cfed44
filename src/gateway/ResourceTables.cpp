#include "gateway/ResourceTables.hpp"

#include "gateway/TarnServerAPIs.hpp"
#include "platform/Paths.hpp"
#include "platform/PropertyList.hpp"

namespace kelda::gateway {
namespace {

json::Value readResourceDictionary(const char* name) {
  json::Value table = platform::readPropertyList(platform::resourcePath(name));
  return table.isObject() ? table : json::Value();
}

}  // namespace

json::Value usStatesTable() {
  return readResourceDictionary("US-States.plist");
}

json::Value coreMetricsTable() {
  return readResourceDictionary("CoreMetrics.plist");
}

json::Value stateCodeForName(const json::Value& name) {
  json::Value found;
  for (auto [code, stateName] : usStatesTable().members()) {
    if (stateName.isString() && name.isString() && stateName.text() == name.text()) {
      found = json::Value(std::string(code));
    }
  }
  return found;
}

json::Value TarnServerAPIs::getStateCodeForState(const json::Value& stateName) {
  if (stateName.isAbsent() || stateName.isNull()) return json::Value("AL");
  return stateCodeForName(stateName);
}

}  // namespace kelda::gateway
