// Cyclic Jacobi eigen-decomposition of a symmetric matrix, arranged for the memory hierarchy:
// every element goes through the same rotations in the same order as in the textbook sweep, but
// the work is regrouped so that it runs over contiguous rows.
//
// In round p (the rotations (p, q), q > p) an element a[j][k] above the diagonal is rotated
// against row p. Three groups are told apart:
//  - rows j > p, at the rotation (p, j): paired with row p along row j, contiguous (done at once);
//  - rows j > p, at the later rotations (p, k), k > j: the same element's second rotation in the
//    round, a chain along row j that needs the parameters of the rest of the round (done when
//    the round is complete, several rows at a time, each group of rows going straight on to
//    round p + 1 while it is in the cache);
//  - rows j < p: not read again until the next sweep, so their rotations are logged and replayed
//    later, a tile of rows at a time, like the eigenvectors (which a large matrix has replayed on
//    a second thread while the first goes on with the matrix).
#include "numeric/LinearAlgebra.h"

#include "numeric/NumericCore.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace {

constexpr int kMaxSweeps = 50;
// Columns of a replayed tile: the tile (n rows of this many doubles) stays in the second-level
// cache while the log runs over it.
constexpr int kTileWidth = 64;
// Logged rotations replayed once there are this many (and at the end of each sweep): the rows
// left behind are turned into a tile for each replay, so it pays to replay seldom.
constexpr std::size_t kReplayEntries = std::size_t(1) << 17;
// The smallest order whose eigenvectors are replayed on a second thread.
constexpr int kThreadFrom = 128;
// Elements of a rotation's rows taken at once: the rest waits until the next rotation's
// parameters, whose long divisions and roots then overlap with it.
constexpr int kHead = 8;
// Most rows whose in-round chains run together.
constexpr int kMaxChainRows = 16;

struct Rotation {
    double s;
    double tau;
    int p;
    int q;
};

// The kernels are written once over a vector of doubles and built twice: with 2 lanes for every
// x86-64 processor and with 4 lanes for those with AVX. Lanes never mix and each does the
// textbook's multiplications and additions (never fused: the file is built without contraction),
// so every kernel gives the textbook's bits on every processor.
using Pair = double __attribute__((vector_size(16)));
using Quad = double __attribute__((vector_size(32)));

// The textbook rotation of (x, y) by the angle with sine s and tau = s / (1 + cos).
struct Plain {
    template <class T> [[gnu::always_inline]] static void Rotate(T& x, T& y, double s, double tau)
    {
        const T u = x;
        const T w = y;
        x = u - s * (w + u * tau);
        y = w + s * (u - w * tau);
    }
};

template <class V> constexpr int kLanes = int(sizeof(V) / sizeof(double));

// The pairs (x[j], y[j]), j < count.
template <class V, class Ops>
[[gnu::always_inline]] inline void RotateRowsWith(double* x, double* y, int count, double s,
                                                  double tau)
{
    constexpr int L = kLanes<V>;
    int j = 0;
    for (; j + 2 * L <= count; j += 2 * L) {
        V x0, y0, x1, y1;
        std::memcpy(&x0, x + j, sizeof x0);
        std::memcpy(&y0, y + j, sizeof y0);
        std::memcpy(&x1, x + j + L, sizeof x1);
        std::memcpy(&y1, y + j + L, sizeof y1);
        Ops::Rotate(x0, y0, s, tau);
        Ops::Rotate(x1, y1, s, tau);
        std::memcpy(x + j, &x0, sizeof x0);
        std::memcpy(y + j, &y0, sizeof y0);
        std::memcpy(x + j + L, &x1, sizeof x1);
        std::memcpy(y + j + L, &y1, sizeof y1);
    }
    for (; j < count; ++j)
        Ops::Rotate(x[j], y[j], s, tau);
}

// y rotated against x0 (s0, tau0) and then against x1 (s1, tau1): two rounds' rotations of one
// row while it is loaded.
template <class V, class Ops>
[[gnu::always_inline]] inline void RotateRowsTwiceWith(double* x0, double* x1, double* y, int count,
                                                       double s0, double tau0, double s1,
                                                       double tau1)
{
    constexpr int L = kLanes<V>;
    int j = 0;
    for (; j + L <= count; j += L) {
        V a, b, w;
        std::memcpy(&a, x0 + j, sizeof a);
        std::memcpy(&b, x1 + j, sizeof b);
        std::memcpy(&w, y + j, sizeof w);
        Ops::Rotate(a, w, s0, tau0);
        Ops::Rotate(b, w, s1, tau1);
        std::memcpy(x0 + j, &a, sizeof a);
        std::memcpy(x1 + j, &b, sizeof b);
        std::memcpy(y + j, &w, sizeof w);
    }
    for (; j < count; ++j) {
        Ops::Rotate(x0[j], y[j], s0, tau0);
        Ops::Rotate(x1[j], y[j], s1, tau1);
    }
}

// The element t of the rows rows[0 .. lanes - 1], as one vector.
template <class V> [[gnu::always_inline]] inline void Gather(V& y, double* const* rows, int t)
{
    if constexpr (kLanes<V> == 2)
        y = V{rows[0][t], rows[1][t]};
    else
        y = V{rows[0][t], rows[1][t], rows[2][t], rows[3][t]};
}

template <class V>
[[gnu::always_inline]] inline void Scatter(const V& y, double* const* rows, int t)
{
    rows[0][t] = y[0];
    rows[1][t] = y[1];
    if constexpr (kLanes<V> == 4) {
        rows[2][t] = y[2];
        rows[3][t] = y[3];
    }
}

// Rows and columns of a square block of vectors exchanged: m[i][k] becomes m[k][i]. The same
// exchange again restores the block.
template <class V> [[gnu::always_inline]] inline void Transpose(V* m)
{
    if constexpr (kLanes<V> == 2) {
        const V low = __builtin_shufflevector(m[0], m[1], 0, 2);
        m[1] = __builtin_shufflevector(m[0], m[1], 1, 3);
        m[0] = low;
    } else {
        const V t0 = __builtin_shufflevector(m[0], m[1], 0, 4, 2, 6);
        const V t1 = __builtin_shufflevector(m[0], m[1], 1, 5, 3, 7);
        const V t2 = __builtin_shufflevector(m[2], m[3], 0, 4, 2, 6);
        const V t3 = __builtin_shufflevector(m[2], m[3], 1, 5, 3, 7);
        m[0] = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
        m[1] = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
        m[2] = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
        m[3] = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
    }
}

// The chains of lanes rows against as many rotations of consecutive columns t, t + 1, ...: the
// rows' block is loaded whole and turned so that each column is one vector.
template <class V, class Ops>
[[gnu::always_inline]] inline void RunBlock(V& c, double* const* rows, const Rotation* r)
{
    const int t = r->q;
    V m[4];
    // Written out lane by lane: a loop here is left rolled and goes through the stack.
    std::memcpy(&m[0], rows[0] + t, sizeof(V));
    std::memcpy(&m[1], rows[1] + t, sizeof(V));
    if constexpr (kLanes<V> == 4) {
        std::memcpy(&m[2], rows[2] + t, sizeof(V));
        std::memcpy(&m[3], rows[3] + t, sizeof(V));
    }
    Transpose(m);
    Ops::Rotate(c, m[0], r[0].s, r[0].tau);
    Ops::Rotate(c, m[1], r[1].s, r[1].tau);
    if constexpr (kLanes<V> == 4) {
        Ops::Rotate(c, m[2], r[2].s, r[2].tau);
        Ops::Rotate(c, m[3], r[3].s, r[3].tau);
    }
    Transpose(m);
    std::memcpy(rows[0] + t, &m[0], sizeof(V));
    std::memcpy(rows[1] + t, &m[1], sizeof(V));
    if constexpr (kLanes<V> == 4) {
        std::memcpy(rows[2] + t, &m[2], sizeof(V));
        std::memcpy(rows[3] + t, &m[3], sizeof(V));
    }
}

// Four vectors of chains at once (enough to hide each chain's latency): x[k] against
// rows[k][t] for each rotation (p, t) of the list, k < 4 lanes.
template <class V, class Ops>
[[gnu::always_inline]] inline void RunChainsWith(double* const* rows, double* x, const Rotation* r,
                                                 const Rotation* end)
{
    constexpr int L = kLanes<V>;
    V c0, c1, c2, c3;
    std::memcpy(&c0, x, sizeof c0);
    std::memcpy(&c1, x + L, sizeof c1);
    std::memcpy(&c2, x + 2 * L, sizeof c2);
    std::memcpy(&c3, x + 3 * L, sizeof c3);
    while (r < end) {
        if (end - r >= L && r[L - 1].q == r->q + L - 1) {
            // As many consecutive columns as lanes: by blocks, without gathering.
            RunBlock<V, Ops>(c0, rows, r);
            RunBlock<V, Ops>(c1, rows + L, r);
            RunBlock<V, Ops>(c2, rows + 2 * L, r);
            RunBlock<V, Ops>(c3, rows + 3 * L, r);
            r += L;
            continue;
        }
        const int t = r->q;
        V y0, y1, y2, y3;
        Gather(y0, rows, t);
        Gather(y1, rows + L, t);
        Gather(y2, rows + 2 * L, t);
        Gather(y3, rows + 3 * L, t);
        Ops::Rotate(c0, y0, r->s, r->tau);
        Ops::Rotate(c1, y1, r->s, r->tau);
        Ops::Rotate(c2, y2, r->s, r->tau);
        Ops::Rotate(c3, y3, r->s, r->tau);
        Scatter(y0, rows, t);
        Scatter(y1, rows + L, t);
        Scatter(y2, rows + 2 * L, t);
        Scatter(y3, rows + 3 * L, t);
        ++r;
    }
    std::memcpy(x, &c0, sizeof c0);
    std::memcpy(x + L, &c1, sizeof c1);
    std::memcpy(x + 2 * L, &c2, sizeof c2);
    std::memcpy(x + 3 * L, &c3, sizeof c3);
}

void RotateRowsPair(double* x, double* y, int count, double s, double tau)
{
    RotateRowsWith<Pair, Plain>(x, y, count, s, tau);
}

void RotateRowsTwicePair(double* x0, double* x1, double* y, int count, double s0, double tau0,
                         double s1, double tau1)
{
    RotateRowsTwiceWith<Pair, Plain>(x0, x1, y, count, s0, tau0, s1, tau1);
}

void RunChainsPair(double* const* rows, double* x, const Rotation* r, const Rotation* end)
{
    RunChainsWith<Pair, Plain>(rows, x, r, end);
}

#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("avx")]] void RotateRowsQuad(double* x, double* y, int count, double s, double tau)
{
    RotateRowsWith<Quad, Plain>(x, y, count, s, tau);
}

[[gnu::target("avx")]] void RotateRowsTwiceQuad(double* x0, double* x1, double* y, int count,
                                                double s0, double tau0, double s1, double tau1)
{
    RotateRowsTwiceWith<Quad, Plain>(x0, x1, y, count, s0, tau0, s1, tau1);
}

[[gnu::target("avx")]] void RunChainsQuad(double* const* rows, double* x, const Rotation* r,
                                          const Rotation* end)
{
    RunChainsWith<Quad, Plain>(rows, x, r, end);
}
#endif

struct Kernels {
    void (*rotateRows)(double* x, double* y, int count, double s, double tau);
    void (*rotateRowsTwice)(double* x0, double* x1, double* y, int count, double s0, double tau0,
                            double s1, double tau1);
    void (*runChains)(double* const* rows, double* x, const Rotation* r, const Rotation* end);
    int chainRows; // rows that runChains takes
};

// Rows whose chains run together: four vectors' worth of lanes.
constexpr int kQuadChainRows = 16, kPairChainRows = 8;
static_assert(kQuadChainRows <= kMaxChainRows && kPairChainRows <= kMaxChainRows);

Kernels PairKernels()
{
    return {RotateRowsPair, RotateRowsTwicePair, RunChainsPair, kPairChainRows};
}

// The AVX kernels, when the processor has them.
bool QuadKernels(Kernels& kernels)
{
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("avx")) {
        kernels = {RotateRowsQuad, RotateRowsTwiceQuad, RunChainsQuad, kQuadChainRows};
        return true;
    }
#endif
    (void)kernels;
    return false;
}

// Forced by tests through ForceJacobiKernels.
Kernels& Chosen()
{
    static Kernels kernels = [] {
        Kernels widest = PairKernels();
        QuadKernels(widest);
        return widest;
    }();
    return kernels;
}

// Whether the eigenvectors may go to a second thread (tests take the path where it cannot).
bool g_secondThread = true;

// First rotation of a list whose q is above `after`.
const Rotation* After(const Rotation* r, const Rotation* end, int after)
{
    while (r < end && r->q <= after)
        ++r;
    return r;
}

// A tile of rows for the replay: row k starts at base + k * stride.
struct Tile {
    double* base;
    std::size_t stride;
    int width;
    double* Row(int k) const { return base + std::size_t(k) * stride; }
};

// Rotations of consecutive rounds not yet replayed, round by round.
struct RotationLog {
    std::vector<Rotation> entries;
    std::vector<std::size_t> round; // where round p starts in entries (and p - 1 ends)
    int first = 0;                  // the log holds rounds first .. last
    int last = -1;

    // False without memory.
    bool Make(int n)
    {
        const std::size_t size = std::size_t(n);
        try {
            round.assign(size + 1, 0);
            entries.reserve(std::min(kReplayEntries + size, size * (size - 1) / 2));
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }
    void Restart(int from)
    {
        entries.clear();
        first = from;
        last = from - 1;
        round[std::size_t(from)] = 0;
    }
    const Rotation* Begin(int p) const { return entries.data() + round[std::size_t(p)]; }
    const Rotation* End(int p) const { return entries.data() + round[std::size_t(p) + 1]; }
};

void ReplayRound(const RotationLog& log, const Tile& tile, int p, int count)
{
    for (const Rotation* r = log.Begin(p); r < log.End(p); ++r)
        Chosen().rotateRows(tile.Row(p), tile.Row(r->q), count, r->s, r->tau);
}

// Rounds p and p + 1 together: after (p, p + 1), each later row q takes (p, q) and then
// (p + 1, q) while it is loaded. Every row sees its rotations in the order of the sweep.
void ReplayTwoRounds(const RotationLog& log, const Tile& tile, int p)
{
    const Rotation* a = log.Begin(p);
    const Rotation* aEnd = log.End(p);
    const Rotation* b = log.Begin(p + 1);
    const Rotation* bEnd = log.End(p + 1);
    double* x0 = tile.Row(p);
    double* x1 = tile.Row(p + 1);
    if (a->q == p + 1) {
        Chosen().rotateRows(x0, x1, tile.width, a->s, a->tau);
        ++a;
    }
    while (a < aEnd || b < bEnd) {
        if (b == bEnd || (a < aEnd && a->q < b->q)) {
            Chosen().rotateRows(x0, tile.Row(a->q), tile.width, a->s, a->tau);
            ++a;
        } else if (a == aEnd || b->q < a->q) {
            Chosen().rotateRows(x1, tile.Row(b->q), tile.width, b->s, b->tau);
            ++b;
        } else {
            Chosen().rotateRowsTwice(x0, x1, tile.Row(a->q), tile.width, a->s, a->tau, b->s,
                                     b->tau);
            ++a;
            ++b;
        }
    }
}

// Replays the logged rounds on a tile whose row k takes part in round p when k < p - below
// (below < 0: every row takes part).
void ReplayOn(const RotationLog& log, const Tile& tile, int below)
{
    auto count = [&](int p) {
        return below < 0 ? tile.width : std::clamp(p - below, 0, tile.width);
    };
    for (int p = log.first; p <= log.last; ++p) {
        if (p < log.last && count(p) == tile.width && log.Begin(p) < log.End(p) &&
            log.Begin(p + 1) < log.End(p + 1)) {
            ReplayTwoRounds(log, tile, p);
            ++p;
        } else if (count(p) > 0) {
            ReplayRound(log, tile, p, count(p));
        }
    }
}

// The eigenvectors (as rows) take the logged rotations a tile of columns at a time.
void ReplayOnVectors(const RotationLog& log, double* vt, int n)
{
    for (int c0 = 0; c0 < n; c0 += kTileWidth)
        ReplayOn(log, {vt + c0, std::size_t(n), std::min(kTileWidth, n - c0)}, -1);
}

// One extra thread that replays full logs onto the eigenvectors, in the order they are handed
// over, while the caller goes on with the matrix; empty logs come back for reuse.
class VectorReplay {
public:
    VectorReplay() = default;
    VectorReplay(const VectorReplay&) = delete;
    VectorReplay& operator=(const VectorReplay&) = delete;
    ~VectorReplay() { Finish(); }

    // Takes the spare logs and starts the thread; false (nothing started) when it cannot be.
    bool Start(RotationLog* spares, int count, double* vt, int n)
    {
        m_vt = vt;
        m_n = n;
        try {
            m_empty.reserve(std::size_t(count) + 1);
            m_full.reserve(std::size_t(count) + 1);
            for (int k = 0; k < count; ++k)
                m_empty.push_back(spares + k);
            if (!g_secondThread)
                return false;
            m_thread = std::thread([this] { Run(); });
        } catch (...) {
            return false;
        }
        return true;
    }
    bool Running() const { return m_thread.joinable(); }

    // Queues a full log and returns an empty one, waiting while every log is in use.
    RotationLog* Exchange(RotationLog* full)
    {
        std::unique_lock lock(m_mutex);
        m_full.push_back(full);
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return !m_empty.empty(); });
        RotationLog* empty = m_empty.back();
        m_empty.pop_back();
        return empty;
    }

    // Returns once every queued log has been replayed.
    void Finish()
    {
        if (!m_thread.joinable())
            return;
        {
            std::lock_guard lock(m_mutex);
            m_closing = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

private:
    void Run()
    {
        for (;;) {
            RotationLog* log = nullptr;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [this] { return !m_full.empty() || m_closing; });
                if (m_full.empty())
                    return;
                log = m_full.front();
                m_full.erase(m_full.begin());
            }
            ReplayOnVectors(*log, m_vt, m_n);
            {
                std::lock_guard lock(m_mutex);
                m_empty.push_back(log);
            }
            m_changed.notify_all();
        }
    }

    double* m_vt = nullptr;
    int m_n = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<RotationLog*> m_empty; // capacity for every log: pushing never allocates
    std::vector<RotationLog*> m_full;  // in the order handed over
    bool m_closing = false;
    std::thread m_thread;
};

class JacobiWork {
public:
    JacobiWork(int n, bool vectors) : m_n(n), m_vectors(vectors), m_held{0.0, 0.0, 0, n} {}

    // Takes the upper triangle and the diagonal of a[1..n][1..n]; false without memory.
    bool Start(const double* const* a, double* d, double* b, double* z);
    // One textbook sweep, adding its rotations; false when the off-diagonal sum is already 0.
    bool Sweep(int sweep, double* d, double* b, double* z, int& rotations);
    // The eigenvectors as the columns of v[1..n][1..n].
    void TakeVectors(double** v);

private:
    double* Row(int i) { return m_a.data() + std::size_t(i) * std::size_t(m_n); }
    int Step(int p, int q);
    void FinishHeld();
    int ChainsThenNextRound(int p);
    void Replay(int through);

    int m_n;
    bool m_vectors;
    std::vector<double> m_a;    // rows 0..n-1; the upper triangle is the matrix
    std::vector<double> m_vt;   // the eigenvectors as rows
    std::vector<double> m_tile; // n rows of kTileWidth, for rows replayed transposed
    std::vector<RotationLog> m_logs;
    RotationLog* m_log = nullptr;    // the log being filled
    std::vector<Rotation> m_pending; // the next round's rotations while a log is replayed
    // The last rotation of the round, applied to its first kHead elements only.
    Rotation m_held; // q = n: none
    struct {
        int number;
        double threshold;
        double* d; // 0-based
        double* z;
    } m_sweep{};
    VectorReplay m_replay; // when not running, the eigenvectors are replayed in Replay itself
};

bool JacobiWork::Start(const double* const* a, double* d, double* b, double* z)
{
    const std::size_t n = std::size_t(m_n);
    // A smaller matrix is done before a thread would have started.
    const bool thread = m_vectors && m_n >= kThreadFrom;
    try {
        m_a.assign(n * n, 0.0);
        if (m_vectors)
            m_vt.assign(n * n, 0.0);
        m_tile.assign(n * kTileWidth, 0.0);
        m_logs.resize(thread ? 3 : 1);
        m_pending.reserve(n);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (RotationLog& log : m_logs)
        if (!log.Make(m_n))
            return false;
    for (int p = 0; p < m_n; ++p) {
        for (int q = p; q < m_n; ++q)
            Row(p)[q] = a[p + 1][q + 1];
        if (m_vectors)
            m_vt[std::size_t(p) * n + std::size_t(p)] = 1.0;
        b[p + 1] = d[p + 1] = a[p + 1][p + 1];
        z[p + 1] = 0.0;
    }
    m_log = &m_logs.front();
    if (thread)
        m_replay.Start(m_logs.data() + 1, int(m_logs.size()) - 1, m_vt.data(), m_n);
    return true;
}
bool JacobiWork::Sweep(int sweep, double* d, double* b, double* z, int& rotations)
{
    double sm = 0.0;
    for (int p = 0; p < m_n - 1; ++p)
        for (int q = p + 1; q < m_n; ++q)
            sm += std::fabs(Row(p)[q]);
    if (sm == 0.0)
        return false;
    m_sweep = {sweep, sweep < 4 ? 0.2 * sm / (double(m_n) * double(m_n)) : 0.0, d + 1, z + 1};
    m_log->Restart(0);
    for (int q = 1; q < m_n; ++q)
        rotations += Step(0, q);
    FinishHeld();
    // Round p + 1 runs over each group of rows as soon as round p's chains are done there.
    for (int p = 0; p < m_n - 1; ++p) {
        m_log->round[std::size_t(p) + 1] = m_log->entries.size();
        m_log->last = p;
        rotations += ChainsThenNextRound(p);
        if (p + 2 < m_n) {
            m_log->round[std::size_t(p) + 2] = m_log->entries.size();
            if (m_log->entries.size() >= kReplayEntries)
                Replay(p);
        }
    }
    Replay(m_n - 2);
    for (int p = 1; p <= m_n; ++p) {
        b[p] += z[p];
        d[p] = b[p];
        z[p] = 0.0;
    }
    return true;
}

// The rotation (p, q) when the element calls for one, on row p and the rest of row q at once;
// the number of rotations made (0 or 1).
int JacobiWork::Step(int p, int q)
{
    if (q > m_held.q + kHead)
        FinishHeld(); // element q must have every earlier rotation
    double* x = Row(p);
    double* d = m_sweep.d;
    const double g = 100.0 * std::fabs(x[q]);
    if (m_sweep.number > 4 && std::fabs(d[p]) + g == std::fabs(d[p]) &&
        std::fabs(d[q]) + g == std::fabs(d[q])) {
        x[q] = 0.0;
        return 0;
    }
    if (!(std::fabs(x[q]) > m_sweep.threshold))
        return 0;
    double h = d[q] - d[p];
    double t;
    if (std::fabs(h) + g == std::fabs(h)) {
        t = x[q] / h;
    } else {
        const double theta = 0.5 * h / x[q];
        t = 1.0 / (std::fabs(theta) + std::sqrt(1.0 + theta * theta));
        if (theta < 0.0)
            t = -t;
    }
    const double c = 1.0 / std::sqrt(1 + t * t);
    const double s = t * c;
    const double tau = s / (1.0 + c);
    h = t * x[q];
    m_sweep.z[p] -= h;
    m_sweep.z[q] += h;
    d[p] -= h;
    d[q] += h;
    x[q] = 0.0;
    // The previous rotation's rest runs while this one's parameters are still being computed.
    FinishHeld();
    Chosen().rotateRows(x + q + 1, Row(q) + q + 1, std::min(kHead, m_n - q - 1), s, tau);
    m_log->entries.push_back({s, tau, p, q});
    m_held = {s, tau, p, q};
    return 1;
}

void JacobiWork::FinishHeld()
{
    const int from = m_held.q + 1 + kHead;
    if (from < m_n)
        Chosen().rotateRows(Row(m_held.p) + from, Row(m_held.q) + from, m_n - from, m_held.s,
                            m_held.tau);
    m_held.q = m_n;
}

// Each row j > p meets round p's rotations (p, t), t > j, a second time: a chain of its element
// of row p along row j. Once a group of rows has its chains, round p + 1 goes over them while
// they are still in the cache; returns the rotations of round p + 1.
int JacobiWork::ChainsThenNextRound(int p)
{
    double* x = Row(p);
    const Rotation* first = m_log->Begin(p);
    const Rotation* end = m_log->End(p);
    const int chainRows = Chosen().chainRows;
    int rotations = 0;
    auto nextRound = [&](int from, int to) {
        for (int q = std::max(from, p + 2); q < to; ++q)
            rotations += Step(p + 1, q);
    };
    int j = p + 1;
    for (; j + chainRows <= m_n; j += chainRows) {
        first = After(first, end, j);
        const int last = j + chainRows - 1;
        double* rows[kMaxChainRows];
        for (int k = 0; k < chainRows; ++k)
            rows[k] = Row(j + k);
        // Within the group only the rows above column q take (p, q); the rows' chains are
        // independent, so they go side by side.
        for (const Rotation* r = first; r < end && r->q <= last; ++r)
            for (int k = 0; k < r->q - j; ++k)
                Plain::Rotate(x[j + k], rows[k][r->q], r->s, r->tau);
        Chosen().runChains(rows, x + j, After(first, end, last), end);
        nextRound(j, j + chainRows);
    }
    const int rest = j;
    for (const Rotation* r = After(first, end, rest); r < end; ++r)
        for (int i = rest; i < r->q; ++i)
            Plain::Rotate(x[i], Row(i)[r->q], r->s, r->tau);
    nextRound(rest, m_n);
    FinishHeld();
    return rotations;
}

// The logged rounds through `through`, whose chains are done, on the rows left behind (j < p)
// and on the eigenvectors; the next round's rotations stay logged for its chains.
void JacobiWork::Replay(int through)
{
    RotationLog& log = *m_log;
    m_pending.assign(log.entries.begin() + std::ptrdiff_t(log.round[std::size_t(through) + 1]),
                     log.entries.end());
    log.last = through;
    for (int j0 = 0; j0 < log.last; j0 += kTileWidth) {
        const int width = std::min(kTileWidth, log.last - j0);
        const int from = std::max(log.first, j0 + 1);
        const Tile tile{m_tile.data(), kTileWidth, width};
        for (int r = 0; r < width; ++r) {
            const double* row = Row(j0 + r);
            for (int c = from; c < m_n; ++c)
                tile.Row(c)[r] = row[c];
        }
        ReplayOn(log, tile, j0);
        for (int r = 0; r < width; ++r) {
            double* row = Row(j0 + r);
            for (int c = from; c < m_n; ++c)
                row[c] = tile.Row(c)[r];
        }
    }
    if (m_replay.Running())
        m_log = m_replay.Exchange(m_log); // the thread owns the full log from here
    else if (m_vectors)
        ReplayOnVectors(log, m_vt.data(), m_n);
    m_log->Restart(through + 1);
    m_log->entries.insert(m_log->entries.end(), m_pending.begin(), m_pending.end());
    m_log->round[std::size_t(through) + 2] = m_log->entries.size();
}

void JacobiWork::TakeVectors(double** v)
{
    m_replay.Finish();
    const std::size_t n = std::size_t(m_n);
    for (int k = 0; k < m_n; ++k)
        for (int i = 0; i < m_n; ++i)
            v[i + 1][k + 1] = m_vt[std::size_t(k) * n + std::size_t(i)];
}

} // namespace

bool ForceJacobiKernels(JacobiKernels kernels, bool secondThread)
{
    Kernels chosen = PairKernels();
    const bool quad = kernels != JacobiKernels::Pair && QuadKernels(chosen);
    if (kernels == JacobiKernels::Quad && !quad)
        return false;
    Chosen() = chosen;
    g_secondThread = secondThread;
    return true;
}

void JacobiEigen(const double* const* a, int n, double* d, double** v, int* nrot)
{
    if (n < 0) {
        SetMathErrno(NumericOutOfMemory);
        return;
    }
    std::vector<double> b, z;
    JacobiWork work(n, v != nullptr);
    try {
        b.assign(std::size_t(n) + 1, 0.0);
        z.assign(std::size_t(n) + 1, 0.0);
    } catch (const std::bad_alloc&) {
        SetMathErrno(NumericOutOfMemory);
        return;
    }
    if (!work.Start(a, d, b.data(), z.data())) {
        SetMathErrno(NumericOutOfMemory);
        return;
    }
    const int saved = ErrnoEnter();
    *nrot = 0;
    bool converged = false;
    for (int sweep = 1; sweep <= kMaxSweeps && !converged; ++sweep)
        converged = !work.Sweep(sweep, d, b.data(), z.data(), *nrot);
    if (v)
        work.TakeVectors(v);
    if (!converged) {
        SetMathErrno(NumericIterationLimit);
        return;
    }
    ErrnoLeave(saved);
}
