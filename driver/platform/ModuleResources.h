#pragma once
// Which texts and dialog templates are looked up: the module's own or those of
// a library that lent them (the common words). Our resources are compiled in,
// so the scope only keeps track of the nesting; dialogs and message boxes open
// inside one, as the host expects of a module with resources of its own.

namespace platform {

enum class ResourceSource { Host, Module, CommonWords };

// The source in force on the calling thread.
ResourceSource currentResourceSource();

class ResourceScope {
  public:
    explicit ResourceScope(ResourceSource source);
    ~ResourceScope();
    ResourceScope(const ResourceScope&) = delete;
    ResourceScope& operator=(const ResourceScope&) = delete;

  private:
    ResourceSource previous_;
};

}  // namespace platform
