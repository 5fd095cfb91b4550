// Uncopyable: a base that forbids copying, for scope objects that own a host resource.
#pragma once

class Uncopyable {
protected:
    Uncopyable() = default;
    ~Uncopyable() = default;

public:
    Uncopyable(const Uncopyable&) = delete;
    Uncopyable& operator=(const Uncopyable&) = delete;
};
