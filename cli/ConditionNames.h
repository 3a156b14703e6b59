#pragma once
// The choices of each measuring condition as the driver's capability lists offer
// them (code and display name), with a short English word to type for each.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class AbstractSensorStrategy;

namespace cli {

enum class Condition { Speed, Sync, Lens, Nd, InternalNd, Angle };

struct Choice {
    int code = 0;
    std::string name;   // from the capability list
    std::string alias;  // English word, may be empty
};

class ConditionNames {
  public:
    // Copies the lists the driver offers now; the speed list depends on the
    // connected instrument's firmware, so take it after connecting.
    static ConditionNames fromDriver(AbstractSensorStrategy& driver);

    const std::vector<Choice>& choices(Condition condition) const;
    std::optional<Choice> choice(Condition condition, int code) const;
    // "normal (3 ノーマル)"; a code outside the list shows as "code 9".
    std::string describe(Condition condition, int code) const;
    // By English word (any case), list name or code.
    std::optional<int> find(Condition condition, std::string_view text) const;
    // Every choice, for messages: "normal (3 ノーマル), fast (2 ファスト)".
    std::string allowed(Condition condition) const;

  private:
    std::map<Condition, std::vector<Choice>> lists_;
};

// The name used on the command line ("internal-nd").
std::string conditionKey(Condition condition);

}  // namespace cli
