#pragma once
// Objects addressed by small numbers the program chooses. The slots grow on demand by a fixed
// step; creating under a number in use releases the object that held it (its destructor does
// the platform's part), and a number that holds nothing finds nothing.

#include <memory>
#include <vector>

namespace toolkit {

template <class Record>
class Registry {
public:
    explicit Registry(int step) : step_(step) {}

    // The record under `number`, or nullptr when it holds none (negative numbers included).
    Record* Find(int number) const
    {
        if (number < 0 || number >= static_cast<int>(slots_.size())) {
            return nullptr;
        }
        return slots_[number].get();
    }

    // Puts `record` under `number`, releasing what held it first. A negative number is refused:
    // the record is released and nullptr returned.
    Record* Put(int number, std::unique_ptr<Record> record)
    {
        if (number < 0) {
            return nullptr;
        }
        if (number >= static_cast<int>(slots_.size())) {
            slots_.resize(static_cast<std::size_t>(number) + static_cast<std::size_t>(step_));
        }
        slots_[number].reset();
        slots_[number] = std::move(record);
        return slots_[number].get();
    }

    // Releases the record under `number`, if any.
    void Release(int number)
    {
        if (Find(number) != nullptr) {
            slots_[number].reset();
        }
    }

    // Releases every record, highest number first.
    void Clear()
    {
        for (auto slot = slots_.rbegin(); slot != slots_.rend(); ++slot) {
            slot->reset();
        }
    }

    int Capacity() const { return static_cast<int>(slots_.size()); }

    template <class Visit>
    void ForEach(Visit visit) const
    {
        for (std::size_t number = 0; number < slots_.size(); ++number) {
            if (slots_[number]) {
                visit(static_cast<int>(number), *slots_[number]);
            }
        }
    }

private:
    int step_;
    std::vector<std::unique_ptr<Record>> slots_;
};

inline constexpr int WindowStep = 16;
inline constexpr int ControlStep = 50;
inline constexpr int MenuStep = 16;

}  // namespace toolkit
