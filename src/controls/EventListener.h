// Events of the controls: a listener is told (sender, arguments), where the
// sender is the control object that fires and the arguments are the event's
// own. Both keep their types, so a listener of the wrong shape does not
// compile. An event is an ordered list of shared listeners.
#pragma once

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <vector>

namespace gvt {

template <class Sender, class... Arguments>
class CEventListener {
public:
    virtual void OnEvent(Sender& sender, Arguments... arguments) = 0;

protected:
    // Listeners are owned through shared pointers made from the concrete
    // class, never deleted through this interface.
    ~CEventListener() = default;
};

// Calls a member function of an object; does nothing when either is null.
template <class T, class Sender, class... Arguments>
class CMemfunEventListener final : public CEventListener<Sender, Arguments...> {
public:
    using Function = void (T::*)(Sender& sender, Arguments... arguments);

    CMemfunEventListener(T* object, Function function) noexcept : m_object(object), m_function(function) {}

    void OnEvent(Sender& sender, Arguments... arguments) override
    {
        if (m_object && m_function)
            (m_object->*m_function)(sender, arguments...);
    }

    bool Calls(const T* object, Function function) const noexcept
    {
        return m_object == object && m_function == function;
    }

private:
    T* m_object;
    Function m_function;
};

template <class Sender, class... Arguments>
class CEventListeners {
public:
    using Listener = boost::shared_ptr<CEventListener<Sender, Arguments...>>;

    // Appends a listener; false for a null one or one already in the list.
    bool Add(const Listener& listener)
    {
        if (!listener)
            return false;
        for (const Listener& present : m_listeners) {
            if (present == listener)
                return false;
        }
        m_listeners.push_back(listener);
        return true;
    }

    // Appends a listener that calls object->*function; false when either is
    // null or the list already calls that function on that object. The
    // function may be a member of a base class of T.
    template <class T, class U>
    bool AddListener(T* object, void (U::*function)(Sender& sender, Arguments... arguments))
    {
        using CBound = CMemfunEventListener<T, Sender, Arguments...>;
        if (!object || !function)
            return false;
        const typename CBound::Function bound = function;
        for (const Listener& present : m_listeners) {
            const auto* same = dynamic_cast<const CBound*>(present.get());
            if (same && same->Calls(object, bound))
                return false;
        }
        m_listeners.push_back(Listener(new CBound(object, bound)));
        return true;
    }

    // Tells every listener, in the order they were added.
    void Fire(Sender& sender, Arguments... arguments) const
    {
        // By index: a listener may add another one while it is being told.
        for (std::size_t i = 0; i < m_listeners.size(); ++i) {
            const Listener listener = m_listeners[i];
            listener->OnEvent(sender, arguments...);
        }
    }

    std::size_t Count() const noexcept { return m_listeners.size(); }

private:
    std::vector<Listener> m_listeners;
};

}  // namespace gvt
