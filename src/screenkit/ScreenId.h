#pragma once

// The five screens; exactly one is open at a time.
enum class ScreenId {
    Menu,
    SpringSummerReference,
    AutumnWinterReference,
    SpringSummerQuiz,
    AutumnWinterQuiz
};
