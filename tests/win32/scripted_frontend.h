// A dialog front end for tests: answers each modal loop turn with the next step of a script and
// records what the dialog looked like at each turn. Steps are functions of the dialog, so they
// can name controls by id.
#pragma once

#include <deque>
#include <functional>

#include "windows.h"
#include "zwin32/dialogfrontend.h"

class ScriptedFrontEnd : public zwin32::DialogFrontEnd {
 public:
  using Step = std::function<zwin32::DialogInput(HWND dialog)>;

  ScriptedFrontEnd() : previous_(zwin32::SetDialogFrontEnd(this)) {}
  ~ScriptedFrontEnd() override { zwin32::SetDialogFrontEnd(previous_); }

  ScriptedFrontEnd& Click(int id) {
    steps_.push_back([id](HWND dialog) {
      return zwin32::DialogInput{zwin32::DialogInput::Kind::kClick, GetDlgItem(dialog, id), {}};
    });
    return *this;
  }
  ScriptedFrontEnd& Type(int id, std::u16string text) {
    steps_.push_back([id, text](HWND dialog) {
      return zwin32::DialogInput{zwin32::DialogInput::Kind::kSetText, GetDlgItem(dialog, id), text};
    });
    return *this;
  }
  // Clicks (or double-clicks) item `item` of list box `id`.
  ScriptedFrontEnd& ClickItem(int id, int item, bool twice = false) {
    steps_.push_back([id, item, twice](HWND dialog) {
      zwin32::DialogInput input{twice ? zwin32::DialogInput::Kind::kDoubleClickItem
                                      : zwin32::DialogInput::Kind::kClickItem,
                                GetDlgItem(dialog, id),
                                {}};
      input.item = item;
      return input;
    });
    return *this;
  }
  ScriptedFrontEnd& Enter() { return Key(zwin32::DialogInput::Kind::kEnter); }
  ScriptedFrontEnd& Escape() { return Key(zwin32::DialogInput::Kind::kEscape); }
  ScriptedFrontEnd& Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
  }

  // An exhausted script abandons the dialog, as the end of a script does.
  zwin32::DialogInput NextInput(HWND dialog) override {
    ++turns_;
    if (steps_.empty())
      return {zwin32::DialogInput::Kind::kAbandon, nullptr, {}};
    Step step = std::move(steps_.front());
    steps_.pop_front();
    return step(dialog);
  }

  int turns() const { return turns_; }
  bool finished() const { return steps_.empty(); }

 private:
  ScriptedFrontEnd& Key(zwin32::DialogInput::Kind kind) {
    steps_.push_back([kind](HWND) { return zwin32::DialogInput{kind, nullptr, {}}; });
    return *this;
  }

  zwin32::DialogFrontEnd* previous_;
  std::deque<Step> steps_;
  int turns_ = 0;
};
