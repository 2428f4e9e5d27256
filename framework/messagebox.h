// The modal message box, the only way the program reports to the student.
#pragma once

#include <string>

namespace kovala {

enum class TIcon { Exclamation, Information, Question, Stop };
enum class TButtons { Ok, YesNo, YesNoCancel };
enum class TAnswer { Ok, Yes, No, Cancel };

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  virtual TAnswer MessageBox(const std::string& text, const std::string& caption, TIcon icon,
                             TButtons buttons = TButtons::Ok) = 0;
};

}  // namespace kovala
