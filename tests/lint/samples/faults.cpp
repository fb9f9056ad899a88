// Faults the static check must report; this file is only ever checked, never
// built. Each function holds one fault of a kind the project's suppressions
// name for other files, so a suppression that reaches too far shows here.
#include <memory>
#include <vector>

class Base {
public:
    static const int messageMap;
    virtual ~Base() = default;
};

class Derived : public Base {
public:
    static const int messageMap;
};

int outOfBounds()
{
    int values[4] = { 1, 2, 3, 4 };
    return values[4];
}

template <class T> T* keep(std::unique_ptr<T> p)
{
    T* raw = p.get();
    return raw;
}

int* dangling()
{
    std::vector<int> local { 1, 2, 3 };
    return &local[0];
}
