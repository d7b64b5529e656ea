#pragma once

// Every quiz and reference screen is bound to one season set for its whole life.
enum class Season { SpringSummer, AutumnWinter };
