#pragma once
// Statistical tests comparing two samples (1-based double vectors) or observed against
// expected counts, with the probability helpers they use. Significance levels come from the
// incomplete beta and gamma functions, which may store their own error codes in errno.

// ave and var (n − 1 denominator, corrected two-pass) of data[1..n].
void MeanVariance(const double* data, int n, double* ave, double* var);

// Welch's t for unequal variances and its two-sided significance.
void UnequalVarianceTTest(const double* data1, int n1, const double* data2, int n2, double* t,
                          double* prob);

// Student's t with the pooled variance and its two-sided significance.
void StudentTTest(const double* data1, int n1, const double* data2, int n2, double* t,
                  double* prob);

// t of the paired differences of data1[1..n] and data2[1..n] and its two-sided significance.
void PairedTTest(const double* data1, const double* data2, int n, double* t, double* prob);

// Pearson's r, its two-sided significance and Fisher's z.
void PearsonCorrelation(const double* x, const double* y, int n, double* r, double* prob,
                        double* z);

// Spearman's rank correlation: d = sum of squared rank differences, zd its standard score with
// significance probd, rs the rank correlation with significance probrs. A missing work vector
// sets 105 and writes nothing.
void SpearmanCorrelation(const double* data1, const double* data2, int n, double* d, double* zd,
                         double* probd, double* rs, double* probrs);

// Kendall's tau over the pairs of data1[1..n] and data2[1..n], ties in either sample counted as
// neither concordant nor discordant, its standard score z and significance; O(n log n). A NaN
// sets 103 and no memory for the work 105, writing nothing.
void KendallTau(const double* data1, const double* data2, int n, double* tau, double* z,
                double* prob);

// Two-sample Kolmogorov-Smirnov statistic d and significance; sorts both samples in place.
// A NaN in either sample sets 103 and writes nothing (the merge could not advance past it).
void KolmogorovSmirnovTest(double* data1, int n1, double* data2, int n2, double* d, double* prob);

// Variance ratio f (larger over smaller) and its two-sided significance.
void FTest(const double* data1, int n1, const double* data2, int n2, double* f, double* prob);

// Chi-square of observed bins against expected ebins, df = nbins − knstrn; an expected count
// <= 0 sets 103 and leaves prob unwritten.
void ChiSquareTest(const double* bins, const double* ebins, int nbins, int knstrn, double* df,
                   double* chsq, double* prob);

// erfc x by a Chebyshev fit with fractional error below 1.2e-7.
double ErfcApprox(double x);

// Kolmogorov-Smirnov probability Q_KS(λ); 1 when the series does not settle; NaN gives 0
// with errno 103.
double KolmogorovSmirnovProbability(double lambda);
