// A loan sequence over SequenceBase, as a client of the core builds one: one
// heap cell per element, grown by length(n) and released by unloan().
#ifndef TESTS_CORE_LOAN_SEQUENCE_H
#define TESTS_CORE_LOAN_SEQUENCE_H

#include "zorvex/sequence_base.h"

template <class T>
class LoanSequence : public SequenceBase {
public:
    ~LoanSequence() override { unloan(); }
    int length() const override { return current_length; }
    bool length(int n) override {
        if (n < 0) return false;
        if (n > owned_count) {
            cells.resize(n, nullptr);
            cell_buffer = cells.data();
            for (; owned_count < n; ++owned_count) cells[owned_count] = new T();
        }
        current_length = n;
        return true;
    }
    void unloan() override {
        for (int i = 0; i < owned_count; ++i) delete static_cast<T*>(cells[i]);
        cells.clear();
        owned_count = current_length = 0;
        cell_buffer = nullptr;
    }
    T& operator[](int i) { return *static_cast<T*>(cells.at(i)); }
};

#endif
