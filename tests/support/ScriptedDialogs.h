#pragma once
// Dialogs for tests: records every message and answers questions and file dialogs from queues
// filled in advance. An unexpected question fails the test.

#include <QString>
#include <deque>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace mwtest {

struct ShownMessage {
  enum Kind { Information, Error, Message, Question } kind;
  QString text;
};

class ScriptedDialogs final : public mw::Dialogs {
 public:
  void Information(const QString& text) override;
  void Error(const QString& text) override;
  void Message(const QString& text) override;
  bool YesNo(const QString& text) override;
  QString OpenFile(const QString& filter, const QString& folder) override;
  QString SaveFile(const QString& filter, const QString& defaultName, const QString& folder) override;

  std::deque<bool> answers;         // for YesNo
  std::deque<QString> fileAnswers;  // for OpenFile and SaveFile; empty string cancels
  std::vector<ShownMessage> shown;
  QString lastFilter, lastDefaultName, lastFolder;

  // Texts shown so far (UTF-8), in order, and a cleared record.
  std::vector<std::string> Texts() const;
  std::string LastText() const;
  void Clear() { shown.clear(); }
};

}  // namespace mwtest
