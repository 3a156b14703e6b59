#include "platform/ModuleResources.h"

namespace platform {
namespace {

thread_local ResourceSource current = ResourceSource::Host;

}  // namespace

ResourceSource currentResourceSource() {
    return current;
}

ResourceScope::ResourceScope(ResourceSource source) : previous_(current) {
    current = source;
}

ResourceScope::~ResourceScope() {
    current = previous_;
}

}  // namespace platform
