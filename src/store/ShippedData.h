#pragma once
// Brings the data shipped with the program (templates, list files, pictures, help, "ver.ini")
// into a user's own program folder, at the first start and again after an update.
//
// "Shipped.lst" in the user's folder records every shipped file with a hash of the content it
// was shipped with. From it the seeding tells the user's changes from the program's:
// - a shipped file not listed yet is copied unless the user's folder already has that name;
// - a listed file whose shipped content changed is replaced only while the user's copy still
//   holds the content it was shipped with; a changed or deleted copy stays as the user left it;
// - nothing else is touched.

#include <map>
#include <string>

namespace mw {

class ShippedData {
 public:
  static constexpr const char* kListName = "Shipped.lst";

  struct Outcome {
    int added = 0;      // files copied that the user's folder did not have
    int updated = 0;    // unchanged copies replaced by a newer shipped version
    std::string error;  // the first file that could not be read or written; empty when all went well
  };

  // Seeds `userFolder` (created when missing) from `shippedFolder`. Executable files in the
  // shipped folder (the programs, when the data lies beside them) are left out. Every file is
  // written atomically; a failure on one file does not stop the others.
  static Outcome Seed(const std::string& shippedFolder, const std::string& userFolder);

 private:
  using ShippedList = std::map<std::string, std::string>;  // relative name -> content hash
};

// A short, stable hash of file content (64-bit FNV-1a as 16 hex digits).
std::string ContentHash(const std::string& content);

}  // namespace mw
