#pragma once

// Time-value-of-money functions. Cash paid out is negative, cash received positive; type 0 means
// payments at the end of each period, 1 at the start. Where a formula would divide by zero (or
// take the logarithm of a non-positive number) the result is NaN and *error, when given, receives
// 38 "Division by zero" (or 40); otherwise *error is left alone.

// Present value of an annuity.
double CalcPV(double rate, double nper, double pmt, double fv, int type, int* error = nullptr);
// Future value of an annuity.
double CalcFV(double rate, double nper, double pmt, double pv, int type, int* error = nullptr);
// Payment per period of an annuity.
double CalcPMT(double rate, double nper, double pv, double fv, int type, int* error = nullptr);
// Number of periods of an annuity.
double CalcNPER(double rate, double pmt, double pv, double fv, int type, int* error = nullptr);
// Interest part of payment number per (1-based).
double CalcIPMT(double rate, double per, double nper, double pv, double fv, int type,
                int* error = nullptr);
// Principal part of payment number per (1-based).
double CalcPPMT(double rate, double per, double nper, double pv, double fv, int type,
                int* error = nullptr);
// Effective annual rate from the nominal rate apr compounded npery times a year.
double CalcEFR(double apr, double npery, int* error = nullptr);
// Nominal annual rate from the effective rate efr with npery periods a year.
double CalcAPR(double efr, double npery, int* error = nullptr);
// Interest rate per period by secant iteration from guess. Status 0: converged, rate written;
// 1: the function is flat at the guess; 2: no convergence in 20 steps (rate not written).
int CalcRate(double& rate, double nper, double pmt, double pv, double fv, int type, double guess);
