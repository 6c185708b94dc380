#pragma once
// Identifiers of the program's own resources, shared by the resource script
// (app/dozewell.rc) and the code that loads them. Plain macros: the resource
// compiler reads this file too.

// The program's icon: the first icon group, so the program file shows it.
#define DZ_PROGRAM_ICON 1
