#pragma once
// Dense linear algebra over the library's 1-based matrices: LU decomposition with back
// substitution, Jacobi eigen-decomposition of a symmetric matrix and the covariance expansion
// after a fit with frozen parameters. Failures store a NumericErrorCode in errno.

// Replaces a[1..n][1..n] by its LU factors (Crout, implicit scaling, partial pivoting); indx
// receives the row permutation and d the parity (+1 or −1). A row of zeros sets 104 and leaves a
// and indx untouched (d = 1); a zero pivot later becomes 1e-20 without an error, counted in
// *replaced when given (so callers can tell a singular matrix). A missing work vector sets 105.
void LuDecompose(double** a, int n, int* indx, double* d, int* replaced = nullptr);

// Solves A·x = b in place with the factors of LuDecompose; never sets an error.
void LuBackSubstitute(double** a, int n, const int* indx, double* b);

// Eigenvalues d[1..n] and normalised eigenvectors (columns of v) of the symmetric a[1..n][1..n]
// by cyclic Jacobi rotations; a is only read (its upper triangle and diagonal), v may be null
// when only the eigenvalues are wanted; nrot counts the rotations. No convergence within 50
// sweeps sets 100 (d and v hold the last approximations); no memory for the work 105. The
// eigenvalues are not sorted. Eigenvectors of order 128 and more are rotated on a second thread,
// ended before the return.
void JacobiEigen(const double* const* a, int n, double* d, double** v, int* nrot);

// The rotation kernels of JacobiEigen, which all give the same bits: by default the widest that
// the processor has (2 lanes on every x86-64 processor, 4 with AVX). Tests force each in turn,
// and with secondThread false the path where the eigenvectors' thread cannot start. False, with
// nothing changed, when the processor lacks the kernels; not while a decomposition runs.
enum class JacobiKernels { Widest, Pair, Quad };
bool ForceJacobiKernels(JacobiKernels kernels, bool secondThread = true);

// Spreads the covariance of the mfit fitted parameters (covar[1..mfit][1..mfit]) over all ma
// parameters in place; rows and columns of frozen parameters (ia[j] = 0) become 0.
void ExpandCovariance(double** covar, int ma, const int* ia, int mfit);
