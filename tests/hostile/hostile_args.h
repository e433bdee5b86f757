// Arguments for calling every exported function with hostile values: null
// handles, null outputs, zero, negative, the lowest and highest values of
// each type, NaN and large counts. Handles are made on first use in the
// current universe, each of the kind the function's name asks for.
#pragma once

#include "orv/orv.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <type_traits>
#include <typeindex>
#include <vector>

namespace hostile {

enum class Profile {
    NullHandles, // every handle, pointer and callback null, numbers 0
    NullOutputs, // valid handles and inputs, every output pointer null
    Zero,
    Negative,
    Lowest,
    Highest,
    NotANumber, // NaN for reals, a large count for integers
    Infinity,   // +infinity for reals, a large count for integers
    NoUniverse, // no universe exists: handles null, every other value valid
};

// Pointer arguments point into buffers this large, so that any count a
// function accepts stays inside them.
constexpr std::size_t buffer_bytes = 1 << 20;

class Args {
  public:
    Args(Profile profile, const char *function);
    ~Args();
    Args(const Args &) = delete;
    Args &operator=(const Args &) = delete;

    template <class T> T *handle() {
        if (profile_ == Profile::NullHandles || profile_ == Profile::NoUniverse) return nullptr;
        return static_cast<T *>(make(typeid(T *), uses_[typeid(T *)]++));
    }
    void *object() { return handle<OVnode>(); }

    template <class T> T integer() const {
        using L = std::numeric_limits<T>;
        switch (profile_) {
        case Profile::NullOutputs:
        case Profile::NoUniverse:
            return 1;
        case Profile::Negative:
            return static_cast<T>(-1);
        case Profile::Lowest:
            return L::min();
        case Profile::Highest:
            return L::max();
        case Profile::NotANumber:
        case Profile::Infinity:
            return static_cast<T>(large_count);
        default:
            return 0;
        }
    }
    template <class T> T real() const {
        using L = std::numeric_limits<T>;
        switch (profile_) {
        case Profile::NullOutputs:
        case Profile::NoUniverse:
            return 1;
        case Profile::Negative:
            return -1;
        case Profile::Lowest:
            return L::lowest();
        case Profile::Highest:
            return L::max();
        case Profile::NotANumber:
            return L::quiet_NaN();
        case Profile::Infinity:
            return L::infinity();
        default:
            return 0;
        }
    }
    const char *text() const;

    // Inputs: filled with the profile's value; null only with null handles.
    template <class T> const T *in() { return fill<T>(true); }
    const float (*in_m3())[3] { return reinterpret_cast<const float(*)[3]>(in<float>()); }
    const float (*in_m4())[4] { return reinterpret_cast<const float(*)[4]>(in<float>()); }
    const OVpq *in_pq() { return reinterpret_cast<const OVpq *>(in<float>()); }
    const OVp3 *in_p3s() { return reinterpret_cast<const OVp3 *>(in<float>()); }
    const OVp2 *in_p2s() { return reinterpret_cast<const OVp2 *>(in<float>()); }

    // Outputs (some functions also read them): null with null handles and
    // null outputs, else filled like the inputs.
    template <class T> T *out() { return fill<T>(false); }
    float (*out_m3())[3] { return reinterpret_cast<float(*)[3]>(out<float>()); }
    float (*out_m4())[4] { return reinterpret_cast<float(*)[4]>(out<float>()); }
    OVp3 *out_p3s() { return reinterpret_cast<OVp3 *>(out<float>()); }
    OVpq *out_pq() { return reinterpret_cast<OVpq *>(out<float>()); }
    OVtexinfo *out_texinfo() { return reinterpret_cast<OVtexinfo *>(out<double>()); }
    // Pointer outputs start null.
    template <class T> T **out_pointer() {
        if (!out<unsigned char>()) return nullptr;
        pointer_slot_ = nullptr;
        return reinterpret_cast<T **>(&pointer_slot_);
    }

    // A command line for OVuniverse_setargs and its count.
    char **arguments();
    int *argument_count();
    OVvalue *value();
    FILE *file() const;
    OVserialport *serial_port() const { return nullptr; } // opening one needs a device
    // A block the receiving object frees; none where no object receives it.
    void *owned_block() const {
        const bool receiver = profile_ != Profile::NullHandles && profile_ != Profile::NoUniverse;
        return receiver ? OVmalloc(owned_block_bytes) : nullptr;
    }

    // Results the toolkit keeps ownership of.
    template <class T> void keep(const T &) const {}

  private:
    static constexpr int large_count = 65536;
    static constexpr std::size_t owned_block_bytes = 64;
    Profile profile_;
    std::string function_;
    std::map<std::type_index, int> uses_;
    unsigned char *buffer_;
    OVvalue value_;
    char *argv_[8];
    void *pointer_slot_ = nullptr;

    void *make(std::type_index type, int use);
    template <class T> T *fill(bool input) {
        if (profile_ == Profile::NullHandles || (!input && profile_ == Profile::NullOutputs))
            return nullptr;
        static_assert(std::is_arithmetic_v<T>);
        T *p = reinterpret_cast<T *>(buffer_);
        const T v = std::is_integral_v<T> ? integer<T>() : static_cast<T>(real<double>());
        for (std::size_t i = 0; i < buffer_bytes / sizeof(T); ++i)
            p[i] = v;
        return p;
    }
};

// The universe every call runs in, with the objects made so far.
void start_world();
void end_world();

struct HostileCall {
    const char *name;
    bool first_is_handle; // a null first argument must give a silent, neutral result
    void (*call)(Args &);
};

extern const HostileCall all_calls[];
extern const std::size_t all_call_count;

// What getters read, piece by piece, to compare the state before and after
// a call: output slots start zeroed, results are kept by value or by text.
class Reading {
  public:
    // A zeroed output area large enough for any getter's output.
    void *slot() {
        pieces_.emplace_back(slot_bytes, 0);
        return pieces_.back().data();
    }
    template <class T> void value(const T &v) {
        static_assert(std::is_trivially_copyable_v<T>);
        std::vector<unsigned char> bytes(sizeof v);
        std::memcpy(bytes.data(), &v, sizeof v);
        pieces_.push_back(std::move(bytes));
    }
    void text(const char *t) {
        const std::string s = t ? std::string("\"") + t + "\"" : "null";
        pieces_.emplace_back(s.begin(), s.end());
    }
    bool operator==(const Reading &other) const { return pieces_ == other.pieces_; }

  private:
    static constexpr std::size_t slot_bytes = 256;
    std::vector<std::vector<unsigned char>> pieces_;
};

// A setter of real numbers called with the current profile's values between
// two readings of its getters; true when the readings agree.
struct UnchangedCheck {
    const char *name;
    bool (*check)(Args &);
};

extern const UnchangedCheck setter_checks[];
extern const std::size_t setter_check_count;

} // namespace hostile
