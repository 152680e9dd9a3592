#pragma once
// Projects: folders "Project_" + four digits below the projects folder, each with "Project.ini"
// (Titel, Name, Email, URL) and one page list per engine template (engine + ".ser").

#include <string>
#include <vector>

#include "store/ProgramFolder.h"

namespace mw {

struct ProjectSettings {
  std::string title;  // Titel
  std::string name;   // Name
  std::string email;  // Email
  std::string url;    // URL

  bool operator==(const ProjectSettings&) const = default;
};

struct ProjectListing {
  std::string folderName;
  std::string title;
  std::string DisplayText() const { return folderName + " " + title; }
};

// A project's IndexNow key: 32 lower-case hexadecimal characters from the system's secure
// random source. Throws std::runtime_error when that source cannot be read.
std::string NewIndexNowKey();
// What the engines accept as a key: 8 to 128 letters, digits or "-".
bool IsValidIndexNowKey(const std::string& key);

enum class IndexNowKeyState {
  Kept,      // "Project.ini" held a valid key
  Made,      // it held none; a new one was made and kept
  Replaced,  // it held one the engines would not take; a new one was made and kept
};

class ProjectStore {
 public:
  explicit ProjectStore(ProgramFolder folder) : folder_(std::move(folder)) {}

  const ProgramFolder& Folder() const { return folder_; }
  std::string ProjectPath(const std::string& folderName) const;  // ends in "/"
  std::string PageListPath(const std::string& folderName, const std::string& engine) const;

  // Listed projects: no "." in the name, no "DEL" in its upper-case form, a "Project.ini" inside.
  std::vector<ProjectListing> ListProjects() const;
  bool ProjectExists() const;
  // "Project_" + the highest number found in folder names + 1, at least four digits.
  std::string NextProjectFolderName() const;

  // False when the folder has no "Project.ini".
  bool ReadProjectSettings(const std::string& folderName, ProjectSettings& settings) const;
  // Does nothing (and succeeds) for an empty folder name.
  bool SaveProjectSettings(const std::string& folderName, const ProjectSettings& settings,
                           std::string* error = nullptr) const;

  // The project's IndexNow key (Project.ini, IndexNowKey); a missing or invalid key is replaced
  // by a new one, which is written at once so that every later run and check uses the same key.
  bool EnsureIndexNowKey(const std::string& folderName, std::string& key, IndexNowKeyState* state = nullptr,
                         std::string* error = nullptr) const;

  // Creates the folder (and the projects folder when it is missing), "Project.ini" with a new
  // IndexNow key and one empty page list per "*.ini" template.
  bool CreateProject(const std::string& folderName, const ProjectSettings& settings,
                     std::string* error = nullptr) const;

  // Moves the project folder to the trash. False when it could not be moved, and for a name
  // that is not one folder below the projects folder (empty, blanks, ".", "..", a path).
  bool DeleteProject(const std::string& folderName) const;

  // Page-list files ("*.ser") of a project, in listing order.
  std::vector<std::string> PageListFiles(const std::string& folderName) const;

  // True when adding pages should first ask the user: the first page list found is not empty.
  bool HasPagesAlready(const std::string& folderName) const;

  // Appends "00.00.00 | " + URL + " | FALSE" to every page list of the project for each URL
  // that no line of that list held as a substring before; the old lines stay as they were.
  bool AddPages(const std::string& folderName, const std::vector<std::string>& urls,
                std::string* error = nullptr) const;

 private:
  ProgramFolder folder_;
};

}  // namespace mw
