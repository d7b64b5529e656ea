#pragma once

#include "ControlSpec.h"

#include <map>
#include <vector>

class Form;
class FormLabel;

namespace menu {

WindowSpec window();
std::vector<ControlSpec> controls();

// The menu's three levels. Each shows its own labels and hides the others'.
enum class Level { Main, LookUp, Quiz };

// The labels the menu's code works with, found once when its window is built.
struct Controls
{
    FormLabel* lookUp;             // Label3: ■ピヨ調べ, on to the look-up level
    FormLabel* quiz;               // Label4: ■ピヨ探し, on to the quiz level
    FormLabel* quit;               // Label5: ■終　　  了
    FormLabel* lookUpSpringSummer; // Label7: ■春　夏, look up
    FormLabel* lookUpAutumnWinter; // Label8: ■秋　冬, look up
    FormLabel* backFromLookUp;     // Label9: ■戻　る, from look-up
    FormLabel* quizSpringSummer;   // Label11: ■春　夏, quiz
    FormLabel* quizAutumnWinter;   // Label12: ■秋　冬, quiz
    FormLabel* backFromQuiz;       // Label13: ■戻　る, from the quiz
    std::map<Level, std::vector<FormLabel*>> levels;
};
Controls controlsOf(const Form& form);

} // namespace menu
