#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace mwtest {

void ScriptedDialogs::Information(const QString& text) { shown.push_back({ShownMessage::Information, text}); }
void ScriptedDialogs::Error(const QString& text) { shown.push_back({ShownMessage::Error, text}); }
void ScriptedDialogs::Message(const QString& text) { shown.push_back({ShownMessage::Message, text}); }

bool ScriptedDialogs::YesNo(const QString& text) {
  shown.push_back({ShownMessage::Question, text});
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text.toStdString();
    return false;
  }
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

QString ScriptedDialogs::OpenFile(const QString& filter, const QString& folder) {
  lastFilter = filter;
  lastFolder = folder;
  if (fileAnswers.empty()) return {};
  QString f = fileAnswers.front();
  fileAnswers.pop_front();
  return f;
}

QString ScriptedDialogs::SaveFile(const QString& filter, const QString& defaultName, const QString&) {
  lastFilter = filter;
  lastDefaultName = defaultName;
  if (fileAnswers.empty()) return {};
  QString f = fileAnswers.front();
  fileAnswers.pop_front();
  return f;
}

std::vector<std::string> ScriptedDialogs::Texts() const {
  std::vector<std::string> out;
  for (const auto& m : shown) out.push_back(m.text.toStdString());
  return out;
}

std::string ScriptedDialogs::LastText() const { return shown.empty() ? std::string() : shown.back().text.toStdString(); }

}  // namespace mwtest
