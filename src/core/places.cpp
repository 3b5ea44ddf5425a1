#include "core/places.h"

#include <utility>

namespace tvz {
namespace {

GamePlaces& current() {
  static GamePlaces places;
  return places;
}

std::string In(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

const GamePlaces& Places() { return current(); }

void SetPlaces(GamePlaces places) { current() = std::move(places); }

std::string InMedia(const std::string& name) { return In(current().media, name); }
std::string InData(const std::string& name) { return In(current().data, name); }
std::string InConfig(const std::string& name) { return In(current().config, name); }
std::string DataFolder() { return current().data.empty() ? "." : current().data; }

}  // namespace tvz
