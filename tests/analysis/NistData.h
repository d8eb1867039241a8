#pragma once
// Reference regression problems with certified results, typed in from the published tables.

namespace nist {

// Norris: y = B0 + B1 x, 36 points.
constexpr int kNorrisCount = 36;
constexpr double kNorrisX[kNorrisCount] = {
    0.2, 337.4, 118.2, 884.6, 10.1,  226.5, 666.3, 996.3, 448.6, 777.0, 558.2, 0.4,
    0.6, 775.5, 666.9, 338.0, 447.5, 11.6,  556.0, 228.1, 995.8, 887.6, 120.2, 0.3,
    0.3, 556.8, 339.1, 887.2, 999.0, 779.0, 11.1,  118.3, 229.2, 669.1, 448.9, 0.5};
constexpr double kNorrisY[kNorrisCount] = {
    0.1, 338.8, 118.1, 888.0, 9.2,   228.1, 668.5, 998.5, 449.1, 778.9, 559.2, 0.3,
    0.1, 778.1, 668.8, 339.3, 448.9, 10.8,  557.7, 228.3, 998.0, 888.8, 119.6, 0.3,
    0.6, 557.6, 339.3, 888.0, 998.5, 778.9, 10.2,  117.6, 228.9, 668.4, 449.2, 0.2};
constexpr double kNorrisValues[2] = {-0.262323073774029, 1.00211681802045};
constexpr double kNorrisDeviations[2] = {0.232818234301152, 0.429796848199937E-03};
constexpr double kNorrisResidualDeviation = 0.884796396144373;

// Pontius: y = B0 + B1 x + B2 x^2, 40 points.
constexpr int kPontiusCount = 40;
constexpr double kPontiusX[kPontiusCount] = {
    150000,  300000,  450000,  600000,  750000,  900000,  1050000, 1200000, 1350000, 1500000,
    1650000, 1800000, 1950000, 2100000, 2250000, 2400000, 2550000, 2700000, 2850000, 3000000,
    150000,  300000,  450000,  600000,  750000,  900000,  1050000, 1200000, 1350000, 1500000,
    1650000, 1800000, 1950000, 2100000, 2250000, 2400000, 2550000, 2700000, 2850000, 3000000};
constexpr double kPontiusY[kPontiusCount] = {
    .11019,  .21956,  .32949,  .43899,  .54803,  .65694,  .76562,  .87487,  .98292,  1.09146,
    1.20001, 1.30822, 1.41599, 1.52399, 1.63194, 1.73947, 1.84646, 1.95392, 2.06128, 2.16844,
    .11052,  .22018,  .32939,  .43886,  .54798,  .65739,  .76596,  .87474,  .98300,  1.09150,
    1.20004, 1.30818, 1.41613, 1.52408, 1.63159, 1.73965, 1.84696, 1.95445, 2.06177, 2.16829};
constexpr double kPontiusValues[3] = {0.673565789473684E-03, 0.732059160401003E-06,
                                      -0.316081871345029E-14};
constexpr double kPontiusDeviations[3] = {0.107938612033077E-03, 0.157817399981659E-09,
                                          0.486652849992036E-16};
constexpr double kPontiusResidualDeviation = 0.205177424076185E-03;

// Wampler5: y = B0 + B1 x + ... + B5 x^5 (every B certified as 1), x = 0 .. 20, with noise of
// some 2e7 that no polynomial of degree 5 can follow.
constexpr int kWampler5Count = 21;
constexpr double kWampler5Y[kWampler5Count] = {
    7590001,   -20479994, 20480063,  -20479636, 25231365,  -20476094, 20489331,
    -20460392, 18417449,  -20413570, 20591111,  -20302844, 18651453,  -20077766,
    21059195,  -19666384, 26348481,  -18971402, 22480719,  -17866340, 10958421};

// Longley: y = B0 + B1 x1 + ... + B6 x6, 16 rows; row i holds 1, x1 .. x6.
constexpr int kLongleyCount = 16;
constexpr int kLongleyTerms = 7;
constexpr double kLongleyX[kLongleyCount][kLongleyTerms] = {
    {1, 83.0, 234289, 2356, 1590, 107608, 1947},  {1, 88.5, 259426, 2325, 1456, 108632, 1948},
    {1, 88.2, 258054, 3682, 1616, 109773, 1949},  {1, 89.5, 284599, 3351, 1650, 110929, 1950},
    {1, 96.2, 328975, 2099, 3099, 112075, 1951},  {1, 98.1, 346999, 1932, 3594, 113270, 1952},
    {1, 99.0, 365385, 1870, 3547, 115094, 1953},  {1, 100.0, 363112, 3578, 3350, 116219, 1954},
    {1, 101.2, 397469, 2904, 3048, 117388, 1955}, {1, 104.6, 419180, 2822, 2857, 118734, 1956},
    {1, 108.4, 442769, 2936, 2798, 120445, 1957}, {1, 110.8, 444546, 4681, 2637, 121950, 1958},
    {1, 112.6, 482704, 3813, 2552, 123366, 1959}, {1, 114.2, 502601, 3931, 2514, 125368, 1960},
    {1, 115.7, 518173, 4806, 2572, 127852, 1961}, {1, 116.9, 554894, 4007, 2827, 130081, 1962}};
constexpr double kLongleyY[kLongleyCount] = {60323, 61122, 60171, 61187, 63221, 63639,
                                             64989, 63761, 66019, 67857, 68169, 66513,
                                             68655, 69564, 69331, 70551};
constexpr double kLongleyValues[kLongleyTerms] = {
    -3482258.63459582, 15.0618722713733,       -0.358191792925910E-01, -2.02022980381683,
    -1.03322686717359, -0.511041056535807E-01, 1829.15146461355};
constexpr double kLongleyDeviations[kLongleyTerms] = {
    890420.383607373,  84.9149257747669,  0.334910077722432E-01, 0.488399681651699,
    0.214274163161675, 0.226073200069370, 455.478499142212};
constexpr double kLongleyResidualDeviation = 304.854073561965;

// A nonlinear problem: model text, points, two starts, certified values and deviations.
struct NonlinearProblem {
    const char* name;
    const char* model;
    int count;
    const double* x;
    const double* y;
    int parameters;
    const double* start1;
    const double* start2;
    const double* values;
    const double* deviations;
    double residualDeviation;
};

constexpr double kMisra1aX[14] = {77.6,  114.9, 141.1, 190.8, 239.9, 289.0, 332.8,
                                  378.4, 434.8, 477.3, 536.8, 593.1, 689.1, 760.0};
constexpr double kMisra1aY[14] = {10.07, 14.73, 17.94, 23.93, 29.61, 35.18, 40.02,
                                  44.82, 50.76, 55.05, 61.01, 66.40, 75.47, 81.78};
constexpr double kMisra1aStart1[2] = {500, 1e-4};
constexpr double kMisra1aStart2[2] = {250, 5e-4};
constexpr double kMisra1aValues[2] = {2.3894212918E+02, 5.5015643181E-04};
constexpr double kMisra1aDeviations[2] = {2.7070075241E+00, 7.2668688436E-06};

constexpr double kThurberX[37] = {-3.067, -2.981, -2.921, -2.912, -2.840, -2.797, -2.702, -2.699,
                                  -2.633, -2.481, -2.363, -2.322, -1.501, -1.460, -1.274, -1.212,
                                  -1.100, -1.046, -0.915, -0.714, -0.566, -0.545, -0.400, -0.309,
                                  -0.109, -0.103, 0.010,  0.119,  0.377,  0.790,  0.963,  1.006,
                                  1.115,  1.572,  1.841,  2.047,  2.200};
constexpr double kThurberY[37] = {
    80.574,   84.248,   87.264,   87.195,   89.076,   89.608,   89.868,   90.101,
    92.405,   95.854,   100.696,  101.060,  401.672,  390.724,  567.534,  635.316,
    733.054,  759.087,  894.206,  990.785,  1090.109, 1080.914, 1122.643, 1178.351,
    1260.531, 1273.514, 1288.339, 1327.543, 1353.863, 1414.509, 1425.208, 1421.384,
    1442.962, 1464.350, 1468.705, 1447.894, 1457.628};
constexpr double kThurberStart1[7] = {1000, 1000, 400, 40, 0.7, 0.3, 0.03};
constexpr double kThurberStart2[7] = {1300, 1500, 500, 75, 1, 0.4, 0.05};
constexpr double kThurberValues[7] = {1.2881396800E+03, 1.4910792535E+03, 5.8323836877E+02,
                                      7.5416644291E+01, 9.6629502864E-01, 3.9797285797E-01,
                                      4.9727297349E-02};
constexpr double kThurberDeviations[7] = {4.6647963344E+00, 3.9571156086E+01, 2.8698696102E+01,
                                          5.5675370270E+00, 3.1333340687E-02, 1.4984928198E-02,
                                          6.5842344623E-03};

constexpr double kMgh09X[11] = {4.0000, 2.0000, 1.0000, 0.5000, 0.2500, 0.1670,
                                0.1250, 0.1000, 0.0833, 0.0714, 0.0625};
constexpr double kMgh09Y[11] = {1.957000E-01, 1.947000E-01, 1.735000E-01, 1.600000E-01,
                                8.440000E-02, 6.270000E-02, 4.560000E-02, 3.420000E-02,
                                3.230000E-02, 2.350000E-02, 2.460000E-02};
constexpr double kMgh09Start1[4] = {25, 39, 41.5, 39};
constexpr double kMgh09Start2[4] = {0.25, 0.39, 0.415, 0.39};
constexpr double kMgh09Values[4] = {1.9280693458E-01, 1.9128232873E-01, 1.2305650693E-01,
                                    1.3606233068E-01};
constexpr double kMgh09Deviations[4] = {1.1435312227E-02, 1.9633220911E-01, 8.0842031232E-02,
                                        9.0025542308E-02};

constexpr NonlinearProblem kMisra1a = {"Misra1a",          "b1*(1-exp(-b2*x))", 14,
                                       kMisra1aX,          kMisra1aY,           2,
                                       kMisra1aStart1,     kMisra1aStart2,      kMisra1aValues,
                                       kMisra1aDeviations, 1.0187876330E-01};
constexpr NonlinearProblem kThurber = {"Thurber",
                                       "(b1+b2*x+b3*x^2+b4*x^3)/(1+b5*x+b6*x^2+b7*x^3)",
                                       37,
                                       kThurberX,
                                       kThurberY,
                                       7,
                                       kThurberStart1,
                                       kThurberStart2,
                                       kThurberValues,
                                       kThurberDeviations,
                                       1.3714600784E+01};
constexpr NonlinearProblem kMgh09 = {"MGH09",
                                     "b1*(x^2+x*b2)/(x^2+x*b3+b4)",
                                     11,
                                     kMgh09X,
                                     kMgh09Y,
                                     4,
                                     kMgh09Start1,
                                     kMgh09Start2,
                                     kMgh09Values,
                                     kMgh09Deviations,
                                     6.6279236551E-03};

// Lanczos1: three exponentials generated to 13 digits; the minimum's residual sum of squares is
// 1.4307867721E-25, so only a scale-free stop finds it.
constexpr double kLanczos1Y[24] = {
    2.513400000000E+00, 2.044333373291E+00, 1.668404436564E+00, 1.366418021208E+00,
    1.123232487372E+00, 9.268897180037E-01, 7.679338563728E-01, 6.388775523106E-01,
    5.337835317402E-01, 4.479363617347E-01, 3.775847884350E-01, 3.197393199326E-01,
    2.720130773746E-01, 2.324965529032E-01, 1.996589546065E-01, 1.722704126914E-01,
    1.493405660168E-01, 1.300700206922E-01, 1.138119324644E-01, 1.000415587559E-01,
    8.833209084540E-02, 7.833544019350E-02, 6.976693743449E-02, 6.239312536719E-02};
constexpr double kLanczos1X[24] = {0.00, 0.05, 0.10, 0.15, 0.20, 0.25, 0.30, 0.35,
                                   0.40, 0.45, 0.50, 0.55, 0.60, 0.65, 0.70, 0.75,
                                   0.80, 0.85, 0.90, 0.95, 1.00, 1.05, 1.10, 1.15};
constexpr double kLanczos1Start1[6] = {1.2, 0.3, 5.6, 5.5, 6.5, 7.6};
constexpr double kLanczos1Start2[6] = {0.5, 0.7, 3.6, 4.2, 4, 6.3};
constexpr double kLanczos1Values[6] = {9.5100000027E-02, 1.0000000001E+00, 8.6070000013E-01,
                                       3.0000000002E+00, 1.5575999998E+00, 5.0000000001E+00};

constexpr NonlinearProblem kLanczos1 = {"Lanczos1",
                                        "b1*exp(-b2*x)+b3*exp(-b4*x)+b5*exp(-b6*x)",
                                        24,
                                        kLanczos1X,
                                        kLanczos1Y,
                                        6,
                                        kLanczos1Start1,
                                        kLanczos1Start2,
                                        kLanczos1Values,
                                        nullptr,
                                        8.9156129349E-14};

} // namespace nist
