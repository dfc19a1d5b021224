#pragma once
// What every benchmark table needs: a steady clock, the statistics printed, the machine's
// name, and the test animations written once into the benchmark data folder.
#include <windows.h>

#include <string>
#include <vector>

namespace Bench {

// Performance-counter ticks, and a span of them in milliseconds.
LONGLONG Now();
double Ms(LONGLONG ticks);

// The value below which the fraction p of the values lie (nearest rank); 0 for none.
double Percentile(std::vector<double> values, double p);
inline double Median(const std::vector<double>& values) { return Percentile(values, 0.5); }

std::wstring NazevProcesoru();

// Runs this program in one of its child modes ("MODE FILE NUMBER") and returns what it printed.
std::string VystupDitete(const wchar_t* rezim, const std::wstring& cesta, int cislo);

// The animation of count frames of width x height held delayCs each, in the data folder
// beside the benchmark; written on first use, then reused by later runs.
std::wstring PripravitAnimaci(int width, int height, int count, int delayCs);
// The same with frames written as the rectangles that change (ZapsatCastecnou).
std::wstring PripravitCastecnou(int width, int height, int count, int delayCs);
// One frame of one colour, likewise.
std::wstring PripravitJednobarevny(int width, int height);

} // namespace Bench
