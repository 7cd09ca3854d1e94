#pragma once
// The names and forms of the language that the grammar hands on: letter variables, user variables,
// user functions, IF, FOR, the list functions and the numerical procedures. The grammar calls only
// these; their implementation lives in its own file.
#include <string>

#include "engine/engine_state.h"

// Creates and frees the engine's lists (user variables, user functions, assignment log); called
// once by EngineInitialize and EngineFinalize.
void ProceduresInitialize();
void ProceduresFinalize();

// A letter variable (ids 67-86), called with CurChar on the character after the name. Reads the
// value (the grammar applies the operand sign) or, when CurChar is '=', assigns it. Answers true
// for a read: the grammar then checks the follower and applies the postfix operators. Answers false
// when an assignment ended the factor or an error was raised.
bool LetterVariable(int Id, Extended& Value);

// The id (1000 and above) of the user variable Name (without stop character), or 0.
int FindUserVariable(const std::string& Name);
// The value of the user variable Id.
void UserVariableValue(int Id, Extended& Value);
// "(name=expr)": called with CurChar on '='; reads the expression and creates or updates the
// variable through the host. Answers its id, or 0 after raising an error.
int AssignUserVariable(const std::string& Name, int NameStart);

// A call of a user function. Name is the name as read, with its stop character (a call ends in
// '('), NameStart its first position. Answers false when Name is no user function (the error of
// a failed call, if any, is then in the engine state); on success Value holds the call's value
// and CurChar is the character after the call's ')'.
bool TryUserFunction(const std::string& Name, int NameStart, Extended& Value);

// "if(a OP b)then(c)else(d)", called with CurChar on the '(' after "if"; returns with CurChar on
// the first character after the form.
void IfThenElse(Extended& Value);
// "forJtoKstepMdo(body)", called with CurChar on the '(' after the name; returns with CurChar on
// the body's closing ')'.
void ForLoop(Extended& Value);
// The list functions (ids 38, 39, 41, 43, 44, 94, 97-101, 107), called with CurChar on the '('
// that ends the name; returns with CurChar on the list's closing ')'.
void ListFunction(int Id, Extended& Value);
// solve(, integral(, min( and max(: called with CurChar on the first character of the arguments;
// they return with CurChar on the character after the body (normally the closing ')').
void Solve(Extended& Value);
void Integral(Extended& Value);
void Extremum(bool Max, Extended& Value);
