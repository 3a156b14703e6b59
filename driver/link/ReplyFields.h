#pragma once
// Splits one reply line into numbered fields: field 1 is the status word
// ("OK00"), the data fields follow.
#include <map>
#include <string>

class ReplyFields {
  public:
    explicit ReplyFields(const std::string& reply);

    // Field n (empty when n is beyond the count or the field was never filled);
    // with joinRest, fields n to the count joined with commas.
    std::string field(int number, bool joinRest = false) const;
    int count() const { return count_; }
    const std::string& source() const { return source_; }

  private:
    std::map<int, std::string> fields_;
    int count_ = 1;
    std::string source_;
};
