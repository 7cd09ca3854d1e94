#pragma once
// Nice ranges and steps (1, 2 or 5 times a power of ten) for axis scaling.

class TNiceNum {
 public:
  // The nice number near X: rounded with Round, else the next one up. MissingValue for a value
  // that is not positive and finite.
  double NiceNum(double X, bool Round) const;
};

class TNiceNumbers {
 public:
  TNiceNumbers(int ATickCount, double A, double B);

  double Min = 0;
  double Max = 0;
  double NiceMin = 0.0;
  double NiceMax = 1.0;
  double Step = 0.1;
  int TickCount = 0;
  TNiceNum NiceNum;

  // Step, NiceMin and NiceMax from Min, Max and TickCount; MissingValue in all three when the
  // range has no nice number. A tick count below 2 counts as 2.
  void Calc();
};
