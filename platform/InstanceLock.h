#pragma once
// Tells whether this process is the first running instance of the program for this user.

class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True unless another live process of this user holds the lock; fixed for the life of the object.
    virtual bool IsFirstInstance() const = 0;
};
