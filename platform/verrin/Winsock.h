#pragma once
// Winsock must be started before any socket call and may not be started inside DllMain, so the
// service holds one of these while it runs.

class Winsock {
public:
    Winsock();
    ~Winsock();
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;

    bool ready() const { return error_ == 0; }
    int error() const { return error_; }

private:
    int error_;
};
