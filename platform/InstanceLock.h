#pragma once
// Tells whether this process is the first running instance of the program for this user.

class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True unless another live process of this user held the lock when this object was made; fixed for
    // the life of the object.
    virtual bool IsFirstInstance() const = 0;
    // True when this process holds the lock now. One that did not get it tries again here, so it takes
    // the lock over once the holder has ended and the program's hand-offs always reach a live instance.
    virtual bool TryHold() = 0;
};
