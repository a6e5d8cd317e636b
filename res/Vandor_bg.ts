<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="bg_BG">
<context>
    <name>BackgroundRow</name>
    <message>
        <source>Solid</source>
        <translation>Плътен</translation>
    </message>
    <message>
        <source>Waves</source>
        <translation>Вълни</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Таймер</translation>
    </message>
    <message>
        <source>Color1</source>
        <translation>Цвят 1</translation>
    </message>
    <message>
        <source>Color2</source>
        <translation>Цвят 2</translation>
    </message>
</context>
<context>
    <name>BoardHistory</name>
    <message>
        <source>the configuration could not be put into a dump</source>
        <translation>конфигурацията не може да бъде записана като дъмп</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>папката %1 не може да бъде създадена</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 не може да бъде записан: %2</translation>
    </message>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>The board&apos;s configuration could not be kept in its history: %1. The work goes on; further failures are not reported again.</source>
        <translation>Конфигурацията на платката не може да бъде запазена в историята ѝ: %1. Работата продължава; следващите неуспехи няма да бъдат съобщавани.</translation>
    </message>
</context>
<context>
    <name>FactoryMarks</name>
    <message>
        <source>Changed from the factory default: %1</source>
        <translation>Променена спрямо фабричната стойност: %1</translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation>Връщане на фабричната стойност</translation>
    </message>
    <message>
        <source>All values changed from factory...</source>
        <translation>Всички стойности, променени спрямо фабричните...</translation>
    </message>
</context>
<context>
    <name>ModelDiff</name>
    <message>
        <source>(absent)</source>
        <translation>(липсва)</translation>
    </message>
</context>
<context>
    <name>CompareView</name>
    <message>
        <source>Choose a snapshot of the board (kept at every whole read and before every overwrite), a dump file or the factory defaults of the board&apos;s model. Each row is a value that differs: &quot;Now&quot; is the program&apos;s configuration, the last column the one compared with. &quot;Apply checked&quot; sends the checked values as the editors would; &quot;Apply all&quot; puts the other configuration back whole. The board is kept in its history first; store in the board&apos;s memory afterwards to keep the result over a power cycle.</source>
        <translation>Изберете снимка на платката (пази се при всяко пълно прочитане и преди всяко презаписване), файл с дъмп или фабричните стойности на модела на платката. Всеки ред е стойност, която се различава: „Сега“ е конфигурацията в програмата, последната колона – тази, с която се сравнява. „Приложи отметнатите“ изпраща отметнатите стойности така, както биха го направили редакторите; „Приложи всички“ връща другата конфигурация изцяло. Преди това платката се запазва в историята ѝ; след това запишете в паметта на платката, за да се запази резултатът след изключване.</translation>
    </message>
    <message>
        <source>Sends the checked values to the board, each as its editor would</source>
        <translation>Изпраща отметнатите стойности към платката, всяка така, както би го направил нейният редактор</translation>
    </message>
    <message>
        <source>File %1</source>
        <translation>Файл %1</translation>
    </message>
    <message>
        <source>Compare and restore: %1</source>
        <translation>Сравняване и възстановяване: %1</translation>
    </message>
    <message>
        <source>Choose what to compare with</source>
        <translation>Изберете с какво да се сравни</translation>
    </message>
    <message>
        <source>Snapshot of %1</source>
        <translation>Снимка от %1</translation>
    </message>
    <message>
        <source>Dump file...</source>
        <translation>Файл с дъмп...</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Стойност</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Сега</translation>
    </message>
    <message>
        <source>Compared with</source>
        <translation>Сравнявано с</translation>
    </message>
    <message>
        <source>Factory defaults</source>
        <translation>Фабрични стойности</translation>
    </message>
    <message>
        <source>Only one side holds this value: put back with &quot;Apply all&quot; only</source>
        <translation>Тази стойност я има само едната страна: връща се само с „Приложи всички“</translation>
    </message>
    <message>
        <source>Applying %p%</source>
        <translation>Прилагане %p%</translation>
    </message>
    <message>
        <source>Apply checked</source>
        <translation>Приложи отметнатите</translation>
    </message>
    <message>
        <source>Apply all</source>
        <translation>Приложи всички</translation>
    </message>
    <message>
        <source>Puts the compared configuration back whole, texts included</source>
        <translation>Връща сравняваната конфигурация изцяло, заедно с текстовете</translation>
    </message>
    <message>
        <source>Compare with</source>
        <translation>Сравняване с</translation>
    </message>
    <message>
        <source>Binary dump (*.bin)</source>
        <translation>Двоичен дъмп (*.bin)</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Сравняване</translation>
    </message>
    <message>
        <source>%1 is not a dump of %2.</source>
        <translation>%1 не е дъмп на %2.</translation>
    </message>
    <message>
        <source>A text: put back with &quot;Apply all&quot; only</source>
        <translation>Текст: връща се само с „Приложи всички“</translation>
    </message>
    <message>
        <source>Nothing chosen to compare with.</source>
        <translation>Не е избрано с какво да се сравни.</translation>
    </message>
    <message>
        <source>No differences.</source>
        <translation>Няма разлики.</translation>
    </message>
    <message>
        <source>Differences: %1</source>
        <translation>Разлики: %1</translation>
    </message>
    <message>
        <source>&quot;Apply all&quot; puts the configuration compared with back whole and sends it to the board. Values that change: %1. The board is kept in its history first.</source>
        <translation>„Приложи всички“ връща цялата сравнявана конфигурация и я изпраща към платката. Стойности, които се променят: %1. Платката първо се запазва в историята ѝ.</translation>
    </message>
    <message>
        <source>&quot;Apply all&quot; puts the configuration compared with back whole. Values that change: %1.</source>
        <translation>„Приложи всички“ връща цялата сравнявана конфигурация. Стойности, които се променят: %1.</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>Преименувай...</translation>
    </message>
    <message>
        <source>Gives the connected machine the name its snapshots are listed by</source>
        <translation>Дава на свързаната машина името, под което се изброяват снимките ѝ</translation>
    </message>
    <message>
        <source>Snapshot of %1 (%2)</source>
        <translation>Снимка от %1 (%2)</translation>
    </message>
    <message>
        <source>Machine: %1</source>
        <translation>Машина: %1</translation>
    </message>
    <message>
        <source>Machine</source>
        <translation>Машина</translation>
    </message>
    <message>
        <source>Name of this machine:</source>
        <translation>Име на тази машина:</translation>
    </message>
    <message>
        <source>The machine keeps its name: %1.</source>
        <translation>Машината запазва името си: %1.</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Прилагане</translation>
    </message>
    <message>
        <source>This snapshot is of the machine %1, not of %2, the machine connected. Put its values on this board?</source>
        <translation>Тази снимка е на машината %1, а не на %2 – свързаната машина. Да се приложат ли стойностите ѝ към тази платка?</translation>
    </message>
</context>
<context>
    <name>ColorPickerPopup</name>
    <message>
        <source>More...</source>
        <translation>Още...</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Потребителски</translation>
    </message>
</context>
<context>
    <name>DevEspRelay</name>
    <message>
        <source>ESP Bridge board</source>
        <translation>ESP мостова платка</translation>
    </message>
    <message>
        <source>Parameter %1</source>
        <translation>Параметър %1</translation>
    </message>
    <message>
        <source>Update firmware</source>
        <translation>Обновяване на фърмуера</translation>
    </message>
    <message>
        <source>Firmware (*.efrm)</source>
        <translation>Фърмуер (*.efrm)</translation>
    </message>
    <message>
        <source>Load failed</source>
        <translation>Зареждането е неуспешно</translation>
    </message>
    <message>
        <source>Invalid file</source>
        <translation>Невалиден файл</translation>
    </message>
    <message>
        <source>Firmware update done: %1 bytes sent.</source>
        <translation>Фърмуерът е обновен: изпратени са %1 байта.</translation>
    </message>
    <message>
        <source>Firmware update refused: the board did not accept the file.</source>
        <translation>Обновяването на фърмуера е отказано: платката не прие файла.</translation>
    </message>
    <message>
        <source>Firmware update refused at block %1 of %2.</source>
        <translation>Обновяването на фърмуера е отказано при блок %1 от %2.</translation>
    </message>
    <message>
        <source>Firmware update incomplete: the connection was lost before the end.</source>
        <translation>Обновяването на фърмуера е непълно: връзката прекъсна преди края.</translation>
    </message>
    <message>
        <source>Update firmware %p%</source>
        <translation>Обновяване на фърмуера %p%</translation>
    </message>
</context>
<context>
    <name>DevIo</name>
    <message>
        <source>Incompatible version: %1 %2 %3.</source>
        <translation>Несъвместима версия: %1 %2 %3.</translation>
    </message>
    <message>
        <source>The board answered, but this version of the program has no model for it.</source>
        <translation>Платката отговори, но тази версия на програмата няма модел за нея.</translation>
    </message>
</context>
<context>
    <name>DevMarvek2_0</name>
    <message>
        <source>Marvek ccTalk</source>
        <translation>Marvek ccTalk</translation>
    </message>
    <message>
        <source>Load coin nominals from device</source>
        <translation>Зареждане на номиналите на монетите от монетоприемника</translation>
    </message>
    <message>
        <source>Show Credit</source>
        <translation>Показване на кредита</translation>
    </message>
    <message>
        <source>Show Time</source>
        <translation>Показване на времето</translation>
    </message>
    <message>
        <source>Remember the credit at power failure</source>
        <translation>Запазване на кредита при спиране на захранването</translation>
    </message>
    <message>
        <source>Charge cards on scan</source>
        <translation>Зареждане на карти при сканиране</translation>
    </message>
    <message>
        <source>Coin validator ccTalk</source>
        <translation>Монетоприемник ccTalk</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Опции</translation>
    </message>
    <message>
        <source>Coin channel inhibit</source>
        <translation>Забранени канали на монетоприемника</translation>
    </message>
    <message>
        <source>Coin code %1</source>
        <translation>Код на монета %1</translation>
    </message>
    <message>
        <source>Coin %1 value [cents]</source>
        <translation>Стойност на монета %1 [стотинки]</translation>
    </message>
    <message>
        <source>Coin validator Parallel</source>
        <translation>Паралелен монетоприемник</translation>
    </message>
    <message>
        <source>Coin validator channel</source>
        <translation>Канал на монетоприемника</translation>
    </message>
    <message>
        <source>Min pulse period [ms]</source>
        <translation>Мин. период на импулса [ms]</translation>
    </message>
    <message>
        <source>Max pulse period [ms]</source>
        <translation>Макс. период на импулса [ms]</translation>
    </message>
    <message>
        <source>Coin value [cents]</source>
        <translation>Стойност на монетата [стотинки]</translation>
    </message>
    <message>
        <source>Buttons and Relays</source>
        <translation>Бутони и релета</translation>
    </message>
    <message>
        <source>Button jitter [ms]</source>
        <translation>Подтискане на трептенето на бутоните [ms]</translation>
    </message>
    <message>
        <source>Button signal invert</source>
        <translation>Инвертиране на сигнала на бутоните</translation>
    </message>
    <message>
        <source>Relay signal invert</source>
        <translation>Инвертиране на сигнала на релетата</translation>
    </message>
    <message>
        <source>Relay transaction delay [ms]</source>
        <translation>Закъснение при превключване на релетата [ms]</translation>
    </message>
    <message>
        <source>Credit reset timeout in pause [sec]</source>
        <translation>Нулиране на кредита при пауза [s]</translation>
    </message>
    <message>
        <source>Auto pause for long running program [sec]</source>
        <translation>Автоматична пауза при продължително работеща програма [s]</translation>
    </message>
    <message>
        <source>Relay active time mask</source>
        <translation>Маска на релета с отчитане на време</translation>
    </message>
    <message>
        <source>Relays to switch on together with the Inverter %1</source>
        <translation>Релета, включвани заедно с инвертор %1</translation>
    </message>
    <message>
        <source>Delay the relays turn off after the Inverter %1 switch off [ms]</source>
        <translation>Закъснение на изключването на релетата след спиране на инвертор %1 [ms]</translation>
    </message>
    <message>
        <source>Operator mode button input</source>
        <translation>Вход на бутона за режим оператор</translation>
    </message>
    <message>
        <source>Pipe discharge relay</source>
        <translation>Реле за източване на тръбите</translation>
    </message>
    <message>
        <source>Discharge timeout after last activity [sec]</source>
        <translation>Източване след последна активност [s]</translation>
    </message>
    <message>
        <source>Discharge active period [ms]</source>
        <translation>Продължителност на източването [ms]</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>Програми</translation>
    </message>
    <message>
        <source>Startup program</source>
        <translation>Начална програма</translation>
    </message>
    <message>
        <source>Coin default time [sec]</source>
        <translation>Време за монета по подразбиране [s]</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Име</translation>
    </message>
    <message>
        <source>Individual time [sec]</source>
        <translation>Индивидуално време [s]</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Време</translation>
    </message>
    <message>
        <source>Button input</source>
        <translation>Вход на бутона</translation>
    </message>
    <message>
        <source>Buttons</source>
        <translation>Бутони</translation>
    </message>
    <message>
        <source>Relays to turn on</source>
        <translation>Релета за включване</translation>
    </message>
    <message>
        <source>Relays</source>
        <translation>Релета</translation>
    </message>
    <message>
        <source>Relays to keep unchanged</source>
        <translation>Релета без промяна</translation>
    </message>
    <message>
        <source>Relays to turn on - extra boards</source>
        <translation>Релета за включване - допълнителни платки</translation>
    </message>
    <message>
        <source>Relays to keep unchanged - extra boards</source>
        <translation>Релета без промяна - допълнителни платки</translation>
    </message>
    <message>
        <source>Inverter %1</source>
        <translation>Инвертор %1</translation>
    </message>
    <message>
        <source>Inverter 1</source>
        <translation>Инвертор 1</translation>
    </message>
    <message>
        <source>Inverter 2</source>
        <translation>Инвертор 2</translation>
    </message>
    <message>
        <source>After timeout A [sec]</source>
        <translation>След време A [s]</translation>
    </message>
    <message>
        <source>Delay A</source>
        <translation>Закъснение A</translation>
    </message>
    <message>
        <source>Toggle relays (time A)</source>
        <translation>Превключване на релета (време A)</translation>
    </message>
    <message>
        <source>Change relays A</source>
        <translation>Смяна на релета A</translation>
    </message>
    <message>
        <source>Toggle relays (time A) - extra boards</source>
        <translation>Превключване на релета (време A) - допълнителни платки</translation>
    </message>
    <message>
        <source>Inverter %1 (time A)</source>
        <translation>Инвертор %1 (време A)</translation>
    </message>
    <message>
        <source>Inverter 1 A</source>
        <translation>Инвертор 1 A</translation>
    </message>
    <message>
        <source>Inverter 2 A</source>
        <translation>Инвертор 2 A</translation>
    </message>
    <message>
        <source>After timeout B [sec]</source>
        <translation>След време B [s]</translation>
    </message>
    <message>
        <source>Delay B</source>
        <translation>Закъснение B</translation>
    </message>
    <message>
        <source>Toggle relays (time B)</source>
        <translation>Превключване на релета (време B)</translation>
    </message>
    <message>
        <source>Change relays B</source>
        <translation>Смяна на релета B</translation>
    </message>
    <message>
        <source>Toggle relays (time B) - extra boards</source>
        <translation>Превключване на релета (време B) - допълнителни платки</translation>
    </message>
    <message>
        <source>Inverter %1 (time B)</source>
        <translation>Инвертор %1 (време B)</translation>
    </message>
    <message>
        <source>Inverter 1 B</source>
        <translation>Инвертор 1 B</translation>
    </message>
    <message>
        <source>Inverter 2 B</source>
        <translation>Инвертор 2 B</translation>
    </message>
    <message>
        <source>Active view color 3</source>
        <translation>Цвят 3 на активния екран</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Цветове</translation>
    </message>
    <message>
        <source>Active view color 4</source>
        <translation>Цвят 4 на активния екран</translation>
    </message>
    <message>
        <source>Fiscal signals</source>
        <translation>Фискални сигнали</translation>
    </message>
    <message>
        <source>Channel for fiscal pulses</source>
        <translation>Канал за фискалните импулси</translation>
    </message>
    <message>
        <source>Value [cents]</source>
        <translation>Стойност [стотинки]</translation>
    </message>
    <message>
        <source>Operator view</source>
        <translation>Екран оператор</translation>
    </message>
    <message>
        <source>Operator view background</source>
        <translation>Фон на екрана оператор</translation>
    </message>
    <message>
        <source>Operator view line %1</source>
        <translation>Ред %1 на екрана оператор</translation>
    </message>
    <message>
        <source>OPERATOR</source>
        <translation>OPERATOR</translation>
    </message>
    <message>
        <source>Out of order view</source>
        <translation>Екран „Не работи“</translation>
    </message>
    <message>
        <source>Out of order view background</source>
        <translation>Фон на екрана „Не работи“</translation>
    </message>
    <message>
        <source>Out of order view line %1</source>
        <translation>Ред %1 на екрана „Не работи“</translation>
    </message>
    <message>
        <source>OUT OF ORDER</source>
        <translation>OUT OF ORDER</translation>
    </message>
    <message>
        <source>Idle view %1</source>
        <translation>Екран в покой %1</translation>
    </message>
    <message>
        <source>View timeout [sec]</source>
        <translation>Време на показване [s]</translation>
    </message>
    <message>
        <source>Idle view background</source>
        <translation>Фон на екрана в покой</translation>
    </message>
    <message>
        <source>Idle view line %1</source>
        <translation>Ред %1 на екрана в покой</translation>
    </message>
    <message>
        <source>INSERT COIN</source>
        <translation>INSERT COIN</translation>
    </message>
    <message>
        <source>Coins view</source>
        <translation>Екран монети</translation>
    </message>
    <message>
        <source>Coins view background</source>
        <translation>Фон на екрана монети</translation>
    </message>
    <message>
        <source>Coins view text</source>
        <translation>Текст на екрана монети</translation>
    </message>
    <message>
        <source>Coins view new coins</source>
        <translation>Нови монети на екрана монети</translation>
    </message>
    <message>
        <source>Credit change display timeout [ms]</source>
        <translation>Време за показване на промяната на кредита [ms]</translation>
    </message>
    <message>
        <source>Coins view customization</source>
        <translation>Настройки на екрана монети</translation>
    </message>
    <message>
        <source>Minimum start credit [cents]</source>
        <translation>Минимален начален кредит [стотинки]</translation>
    </message>
    <message>
        <source>Wait for start credit timeout [s]</source>
        <translation>Време за изчакване на началния кредит [s]</translation>
    </message>
    <message>
        <source>Reset text</source>
        <translation>Текст при нулиране</translation>
    </message>
    <message>
        <source>Reset progress</source>
        <translation>Индикатор на нулирането</translation>
    </message>
    <message>
        <source>Popup messages timout [sec]</source>
        <translation>Време на изскачащите съобщения [s]</translation>
    </message>
    <message>
        <source>Active view</source>
        <translation>Активен екран</translation>
    </message>
    <message>
        <source>Active view background</source>
        <translation>Фон на активния екран</translation>
    </message>
    <message>
        <source>Active view color 1</source>
        <translation>Цвят 1 на активния екран</translation>
    </message>
    <message>
        <source>Active view color 2</source>
        <translation>Цвят 2 на активния екран</translation>
    </message>
    <message>
        <source>Active view timer</source>
        <translation>Таймер на активния екран</translation>
    </message>
    <message>
        <source>Active view mode</source>
        <translation>Режим на активния екран</translation>
    </message>
    <message>
        <source>Active view transaction progress</source>
        <translation>Напредък на транзакцията на активния екран</translation>
    </message>
    <message>
        <source>Active view pause timeout</source>
        <translation>Време на паузата на активния екран</translation>
    </message>
    <message>
        <source>Active view customization</source>
        <translation>Настройки на активния екран</translation>
    </message>
    <message>
        <source>WiFi connection</source>
        <translation>WiFi връзка</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Парола</translation>
    </message>
    <message>
        <source>Write access key</source>
        <translation>Ключ за достъп за запис</translation>
    </message>
    <message>
        <source>Parameter %1</source>
        <translation>Параметър %1</translation>
    </message>
</context>
<context>
    <name>DevMarvek1_1</name>
    <message>
        <source>Marvek</source>
        <translation>Marvek</translation>
    </message>
    <message>
        <source>Show Credit</source>
        <translation>Показване на кредита</translation>
    </message>
    <message>
        <source>Show Time</source>
        <translation>Показване на времето</translation>
    </message>
    <message>
        <source>Remember the credit at power failure</source>
        <translation>Запазване на кредита при спиране на захранването</translation>
    </message>
    <message>
        <source>Coin validator</source>
        <translation>Монетоприемник</translation>
    </message>
    <message>
        <source>Coin pulse jitter [ms]</source>
        <translation>Подтискане на трептенето на монетния импулс [ms]</translation>
    </message>
    <message>
        <source>Coin pulse timeout [ms]</source>
        <translation>Край на монетния импулс [ms]</translation>
    </message>
    <message>
        <source>Coin channel inhibit</source>
        <translation>Забранени канали на монетоприемника</translation>
    </message>
    <message>
        <source>Coin code %1</source>
        <translation>Код на монета %1</translation>
    </message>
    <message>
        <source>Coin validator channel</source>
        <translation>Канал на монетоприемника</translation>
    </message>
    <message>
        <source>Min pulse period [ms]</source>
        <translation>Мин. период на импулса [ms]</translation>
    </message>
    <message>
        <source>Max pulse period [ms]</source>
        <translation>Макс. период на импулса [ms]</translation>
    </message>
    <message>
        <source>Coin value [cents]</source>
        <translation>Стойност на монетата [стотинки]</translation>
    </message>
    <message>
        <source>Buttons and Relays</source>
        <translation>Бутони и релета</translation>
    </message>
    <message>
        <source>Button jitter [ms]</source>
        <translation>Подтискане на трептенето на бутоните [ms]</translation>
    </message>
    <message>
        <source>Button signal invert</source>
        <translation>Инвертиране на сигнала на бутоните</translation>
    </message>
    <message>
        <source>Relay signal invert</source>
        <translation>Инвертиране на сигнала на релетата</translation>
    </message>
    <message>
        <source>Relay initial state</source>
        <translation>Начално състояние на релетата</translation>
    </message>
    <message>
        <source>Relay transaction delay [ms]</source>
        <translation>Закъснение при превключване на релетата [ms]</translation>
    </message>
    <message>
        <source>Credit reset timeout in pause [sec]</source>
        <translation>Нулиране на кредита при пауза [s]</translation>
    </message>
    <message>
        <source>Relay active time mask</source>
        <translation>Маска на релета с отчитане на време</translation>
    </message>
    <message>
        <source>Button code %1</source>
        <translation>Код на бутон %1</translation>
    </message>
    <message>
        <source>Button input</source>
        <translation>Вход на бутона</translation>
    </message>
    <message>
        <source>Relays to keep unchanged</source>
        <translation>Релета без промяна</translation>
    </message>
    <message>
        <source>Relays to turn on</source>
        <translation>Релета за включване</translation>
    </message>
    <message>
        <source>After timeout A [sec]</source>
        <translation>След време A [s]</translation>
    </message>
    <message>
        <source>Toggle relays (time A)</source>
        <translation>Превключване на релета (време A)</translation>
    </message>
    <message>
        <source>After timeout B [sec]</source>
        <translation>След време B [s]</translation>
    </message>
    <message>
        <source>Toggle relays (time B)</source>
        <translation>Превключване на релета (време B)</translation>
    </message>
    <message>
        <source>Operator mode button input</source>
        <translation>Вход на бутона за режим оператор</translation>
    </message>
    <message>
        <source>Pipe discharge relay</source>
        <translation>Реле за източване на тръбите</translation>
    </message>
    <message>
        <source>Discharge timeout after last activity [sec]</source>
        <translation>Източване след последна активност [s]</translation>
    </message>
    <message>
        <source>Discharge active period [ms]</source>
        <translation>Продължителност на източването [ms]</translation>
    </message>
    <message>
        <source>Operator view</source>
        <translation>Екран оператор</translation>
    </message>
    <message>
        <source>Operator view background</source>
        <translation>Фон на екрана оператор</translation>
    </message>
    <message>
        <source>Operator view line %1</source>
        <translation>Ред %1 на екрана оператор</translation>
    </message>
    <message>
        <source>OPERATOR</source>
        <translation>OPERATOR</translation>
    </message>
    <message>
        <source>Out of order view</source>
        <translation>Екран „Не работи“</translation>
    </message>
    <message>
        <source>Out of order view background</source>
        <translation>Фон на екрана „Не работи“</translation>
    </message>
    <message>
        <source>Out of order view line %1</source>
        <translation>Ред %1 на екрана „Не работи“</translation>
    </message>
    <message>
        <source>OUT OF ORDER</source>
        <translation>OUT OF ORDER</translation>
    </message>
    <message>
        <source>Idle view</source>
        <translation>Екран в покой</translation>
    </message>
    <message>
        <source>Idle view background</source>
        <translation>Фон на екрана в покой</translation>
    </message>
    <message>
        <source>Idle view line %1</source>
        <translation>Ред %1 на екрана в покой</translation>
    </message>
    <message>
        <source>INSERT COIN</source>
        <translation>INSERT COIN</translation>
    </message>
    <message>
        <source>Coins view</source>
        <translation>Екран монети</translation>
    </message>
    <message>
        <source>Coins view background</source>
        <translation>Фон на екрана монети</translation>
    </message>
    <message>
        <source>Coins view text</source>
        <translation>Текст на екрана монети</translation>
    </message>
    <message>
        <source>Coins view new coins</source>
        <translation>Нови монети на екрана монети</translation>
    </message>
    <message>
        <source>Credit change display timeout [ms]</source>
        <translation>Време за показване на промяната на кредита [ms]</translation>
    </message>
    <message>
        <source>Coins view customization</source>
        <translation>Настройки на екрана монети</translation>
    </message>
    <message>
        <source>Minimum start credit [cents]</source>
        <translation>Минимален начален кредит [стотинки]</translation>
    </message>
    <message>
        <source>Wait for start credit timeout [s]</source>
        <translation>Време за изчакване на началния кредит [s]</translation>
    </message>
    <message>
        <source>Reset progress</source>
        <translation>Индикатор на нулирането</translation>
    </message>
    <message>
        <source>Reset text</source>
        <translation>Текст при нулиране</translation>
    </message>
    <message>
        <source>Active view</source>
        <translation>Активен екран</translation>
    </message>
    <message>
        <source>Active view background</source>
        <translation>Фон на активния екран</translation>
    </message>
    <message>
        <source>Active view color 1</source>
        <translation>Цвят 1 на активния екран</translation>
    </message>
    <message>
        <source>Active view color 2</source>
        <translation>Цвят 2 на активния екран</translation>
    </message>
    <message>
        <source>Active view timer</source>
        <translation>Таймер на активния екран</translation>
    </message>
    <message>
        <source>Active view mode</source>
        <translation>Режим на активния екран</translation>
    </message>
    <message>
        <source>Active view transaction progress</source>
        <translation>Напредък на транзакцията на активния екран</translation>
    </message>
    <message>
        <source>Active view pause timeout</source>
        <translation>Време на паузата на активния екран</translation>
    </message>
    <message>
        <source>Active view customization</source>
        <translation>Настройки на активния екран</translation>
    </message>
    <message>
        <source>Active view mode %1</source>
        <translation>Режим %1 на активния екран</translation>
    </message>
    <message>
        <source>Relays state</source>
        <translation>Състояние на релетата</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Име</translation>
    </message>
    <message>
        <source>Active view color 3</source>
        <translation>Цвят 3 на активния екран</translation>
    </message>
    <message>
        <source>Active view color 4</source>
        <translation>Цвят 4 на активния екран</translation>
    </message>
    <message>
        <source>Mode individual time [sec]</source>
        <translation>Индивидуално време на режима [s]</translation>
    </message>
    <message>
        <source>Coin default time [sec]</source>
        <translation>Време за монета по подразбиране [s]</translation>
    </message>
    <message>
        <source>Parameter %1</source>
        <translation>Параметър %1</translation>
    </message>
</context>
<context>
    <name>DevMarvek3_0</name>
    <message>
        <source>Marvek Totalizer</source>
        <translation>Marvek Totalizer</translation>
    </message>
    <message>
        <source>over</source>
        <translation>над</translation>
    </message>
    <message>
        <source>under</source>
        <translation>под</translation>
    </message>
    <message>
        <source>Cost for wahing time %1 %2 minutes [cents]</source>
        <translation>Цена за време на миене %1 %2 минути [стотинки]</translation>
    </message>
    <message>
        <source>Cost for drying time %1 %2 minutes [cents]</source>
        <translation>Цена за време на сушене %1 %2 минути [стотинки]</translation>
    </message>
    <message>
        <source>Load coin nominals from device</source>
        <translation>Зареждане на номиналите на монетите от монетоприемника</translation>
    </message>
    <message>
        <source>Clear credit after wait time</source>
        <translation>Нулиране на кредита след времето за изчакване</translation>
    </message>
    <message>
        <source>Clear credit after program execute</source>
        <translation>Нулиране на кредита след изпълнение на програмата</translation>
    </message>
    <message>
        <source>Allow coins in idle</source>
        <translation>Приемане на монети в покой</translation>
    </message>
    <message>
        <source>Allow buttons in idle</source>
        <translation>Бутони в покой</translation>
    </message>
    <message>
        <source>Select program without enough credit</source>
        <translation>Избор на програма без достатъчно кредит</translation>
    </message>
    <message>
        <source>POS activated after program selection</source>
        <translation>ПОС терминалът се включва след избор на програма</translation>
    </message>
    <message>
        <source>Program counters are ressetable</source>
        <translation>Броячите на програмите могат да се нулират</translation>
    </message>
    <message>
        <source>Autostart the first program</source>
        <translation>Автоматичен старт на първата програма</translation>
    </message>
    <message>
        <source>Alternative currency</source>
        <translation>Алтернативна валута</translation>
    </message>
    <message>
        <source>Coin validator</source>
        <translation>Монетоприемник</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Опции</translation>
    </message>
    <message>
        <source>Coin channel inhibit</source>
        <translation>Забранени канали на монетоприемника</translation>
    </message>
    <message>
        <source>Coin code %1</source>
        <translation>Код на монета %1</translation>
    </message>
    <message>
        <source>Coin %1 value [cents]</source>
        <translation>Стойност на монета %1 [стотинки]</translation>
    </message>
    <message>
        <source>Buttons and Programs</source>
        <translation>Бутони и програми</translation>
    </message>
    <message>
        <source>Button jitter [ms]</source>
        <translation>Подтискане на трептенето на бутоните [ms]</translation>
    </message>
    <message>
        <source>Button signal invert</source>
        <translation>Инвертиране на сигнала на бутоните</translation>
    </message>
    <message>
        <source>Relay signal invert</source>
        <translation>Инвертиране на сигнала на релетата</translation>
    </message>
    <message>
        <source>Relay pulse duration [ms]</source>
        <translation>Продължителност на импулса на релето [ms]</translation>
    </message>
    <message>
        <source>Button code %1</source>
        <translation>Код на бутон %1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Име</translation>
    </message>
    <message>
        <source>Time [sec]</source>
        <translation>Време [s]</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Цена</translation>
    </message>
    <message>
        <source>Button input</source>
        <translation>Вход на бутона</translation>
    </message>
    <message>
        <source>Relays to turn on</source>
        <translation>Релета за включване</translation>
    </message>
    <message>
        <source>Operator mode button input</source>
        <translation>Вход на бутона за режим оператор</translation>
    </message>
    <message>
        <source>Default price [cents]</source>
        <translation>Цена по подразбиране [стотинки]</translation>
    </message>
    <message>
        <source>Costs</source>
        <translation>Цени</translation>
    </message>
    <message>
        <source>Fiscal signals</source>
        <translation>Фискални сигнали</translation>
    </message>
    <message>
        <source>Channel for fiscal pulses</source>
        <translation>Канал за фискалните импулси</translation>
    </message>
    <message>
        <source>Value [cents]</source>
        <translation>Стойност [стотинки]</translation>
    </message>
    <message>
        <source>Operator view</source>
        <translation>Екран оператор</translation>
    </message>
    <message>
        <source>Operator view background</source>
        <translation>Фон на екрана оператор</translation>
    </message>
    <message>
        <source>Operator view line %1</source>
        <translation>Ред %1 на екрана оператор</translation>
    </message>
    <message>
        <source>OPERATOR</source>
        <translation>OPERATOR</translation>
    </message>
    <message>
        <source>Out of order view</source>
        <translation>Екран „Не работи“</translation>
    </message>
    <message>
        <source>Out of order view background</source>
        <translation>Фон на екрана „Не работи“</translation>
    </message>
    <message>
        <source>Out of order view line %1</source>
        <translation>Ред %1 на екрана „Не работи“</translation>
    </message>
    <message>
        <source>OUT OF ORDER</source>
        <translation>OUT OF ORDER</translation>
    </message>
    <message>
        <source>Idle view %1</source>
        <translation>Екран в покой %1</translation>
    </message>
    <message>
        <source>View timeout [sec]</source>
        <translation>Време на показване [s]</translation>
    </message>
    <message>
        <source>Idle view background</source>
        <translation>Фон на екрана в покой</translation>
    </message>
    <message>
        <source>Idle view line %1</source>
        <translation>Ред %1 на екрана в покой</translation>
    </message>
    <message>
        <source>INSERT COIN</source>
        <translation>INSERT COIN</translation>
    </message>
    <message>
        <source>Credit view</source>
        <translation>Екран кредит</translation>
    </message>
    <message>
        <source>Coins view background</source>
        <translation>Фон на екрана монети</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Цвят на текста</translation>
    </message>
    <message>
        <source>Required text</source>
        <translation>Текст на нужния кредит</translation>
    </message>
    <message>
        <source>Available text</source>
        <translation>Текст на наличния кредит</translation>
    </message>
    <message>
        <source>Progress bar</source>
        <translation>Лента на напредъка</translation>
    </message>
    <message>
        <source>Remaining time</source>
        <translation>Оставащо време</translation>
    </message>
    <message>
        <source>Timeout to reset selection [sec]</source>
        <translation>Време за отмяна на избора [s]</translation>
    </message>
    <message>
        <source>Timeout for loading the required credit</source>
        <translation>Време за събиране на нужния кредит</translation>
    </message>
    <message>
        <source>Credit flags</source>
        <translation>Настройки на кредита</translation>
    </message>
    <message>
        <source>Timer view</source>
        <translation>Екран таймер</translation>
    </message>
    <message>
        <source>Timer view background</source>
        <translation>Фон на екрана таймер</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Таймер</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Програма</translation>
    </message>
    <message>
        <source>Timer view line %1</source>
        <translation>Ред %1 на екрана таймер</translation>
    </message>
    <message>
        <source>Washing</source>
        <translation>Washing</translation>
    </message>
    <message>
        <source>Message display time [sec]</source>
        <translation>Време за показване на съобщенията [s]</translation>
    </message>
    <message>
        <source>WiFi connection</source>
        <translation>WiFi връзка</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Парола</translation>
    </message>
    <message>
        <source>Write access key</source>
        <translation>Ключ за запис</translation>
    </message>
    <message>
        <source>Server URL</source>
        <translation>Адрес на сървъра</translation>
    </message>
    <message>
        <source>Parameter %1</source>
        <translation>Параметър %1</translation>
    </message>
</context>
<context>
    <name>DeviceCfg</name>
    <message>
        <source>No help for parameter %1</source>
        <translation>Няма помощен текст за параметър %1</translation>
    </message>
</context>
<context>
    <name>FixedLayoutModel</name>
    <message>
        <source>Parameter %1</source>
        <translation>Параметър %1</translation>
    </message>
</context>
<context>
    <name>ImageFit</name>
    <message>
        <source>layout version 1</source>
        <translation>версия на оформлението 1</translation>
    </message>
    <message>
        <source>Layout word</source>
        <translation>Дума на оформлението</translation>
    </message>
    <message>
        <source>Check word</source>
        <translation>Контролна дума</translation>
    </message>
    <message>
        <source>%1 bytes that are no text</source>
        <translation>%1 байта, които не са текст</translation>
    </message>
    <message>
        <source>a text</source>
        <translation>текст</translation>
    </message>
    <message>
        <source>Text pool</source>
        <translation>Област на текстовете</translation>
    </message>
    <message>
        <source>text reference %1</source>
        <translation>препратка към текст %1</translation>
    </message>
    <message>
        <source>a text in bytes %1-%2</source>
        <translation>текст в байтове %1-%2</translation>
    </message>
    <message>
        <source>bits 0x%1</source>
        <translation>битове 0x%1</translation>
    </message>
    <message>
        <source>mode %1</source>
        <translation>режим %1</translation>
    </message>
    <message>
        <source>modes 0x%1</source>
        <translation>режими 0x%1</translation>
    </message>
    <message>
        <source>an erased word</source>
        <translation>изтрита дума</translation>
    </message>
    <message>
        <source>Unused word</source>
        <translation>Неизползвана дума</translation>
    </message>
    <message>
        <source>%1 of %2 values do not fit</source>
        <translation>%1 от %2 стойности не пасват</translation>
    </message>
    <message>
        <source>, e.g. %1 at %2 holds %3 (%4)</source>
        <translation>, напр. %1 на адрес %2 съдържа %3 (%4)</translation>
    </message>
    <message>
        <source>This file looks like a configuration of %1, not of %2: %3</source>
        <translation>Този файл прилича на конфигурация на %1, а не на %2: %3</translation>
    </message>
    <message>
        <source>This file does not look like a configuration of %1 or of another board generation: %2</source>
        <translation>Този файл не прилича на конфигурация на %1 или на друго поколение платки: %2</translation>
    </message>
    <message>
        <source>This file looks like a configuration of %1 (%2)</source>
        <translation>Този файл прилича на конфигурация на %1 (%2)</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Зареждане</translation>
    </message>
    <message>
        <source>Load it anyway?</source>
        <translation>Да бъде ли зареден въпреки това?</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Store in the board&apos;s memory: it runs with changes that are lost at its next power cycle</source>
        <translation>Запис в паметта на платката: тя работи с промени, които ще се загубят при следващото ѝ изключване</translation>
    </message>
    <message>
        <source>Disconnected. The board had changes not stored in its memory: they are lost at its next power cycle.</source>
        <translation>Няма връзка. Платката имаше промени, незаписани в паметта ѝ: ще се загубят при следващото ѝ изключване.</translation>
    </message>
    <message>
        <source>Unstored changes</source>
        <translation>Незаписани промени</translation>
    </message>
    <message>
        <source>The board runs with changes not stored in its memory; they are lost at its next power cycle. Store them before closing?</source>
        <translation>Платката работи с промени, незаписани в паметта ѝ; те ще се загубят при следващото ѝ изключване. Да бъдат ли записани преди затваряне?</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Запиши</translation>
    </message>
    <message>
        <source>Close without storing</source>
        <translation>Затвори без запис</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отказ</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Сравни</translation>
    </message>
    <message>
        <source>Compare with a snapshot, a dump file or the factory defaults, and restore values from it. Ctrl+D lists the values changed from factory.</source>
        <translation>Сравняване със снимка, файл с дъмп или фабричните стойности и възстановяване на стойности от тях. Ctrl+D показва стойностите, променени спрямо фабричните.</translation>
    </message>
    <message>
        <source>Vandor</source>
        <translation>Vandor</translation>
    </message>
    <message>
        <source>Load configuration</source>
        <translation>Зареждане на конфигурация</translation>
    </message>
    <message>
        <source>Save configuration</source>
        <translation>Запис на конфигурация</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Език</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Няма връзка</translation>
    </message>
    <message>
        <source>Store in the board&apos;s memory</source>
        <translation>Запис в паметта на платката</translation>
    </message>
    <message>
        <source>Binary dump (*.bin)</source>
        <translation>Двоичен дъмп (*.bin)</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Зареждане</translation>
    </message>
    <message>
        <source>Load failed</source>
        <translation>Зареждането е неуспешно</translation>
    </message>
    <message>
        <source>Invalid file format. The current configuration was not changed.</source>
        <translation>Невалиден формат на файла. Текущата конфигурация не е променена.</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Запис</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>Записът е неуспешен</translation>
    </message>
    <message>
        <source>Save configuration to device memory?</source>
        <translation>Да се запише ли конфигурацията в паметта на устройството?</translation>
    </message>
    <message>
        <source>Find board by address</source>
        <translation>Търсене на платка по адрес</translation>
    </message>
    <message>
        <source>Vandor version:%1.%2.%3&lt;br&gt;visit us at %4</source>
        <translation>Vandor версия:%1.%2.%3&lt;br&gt;посетете ни на %4</translation>
    </message>
    <message>
        <source>Update device %p%</source>
        <translation>Обновяване на устройството %p%</translation>
    </message>
    <message>
        <source>Update texts %p%</source>
        <translation>Обновяване на текстовете %p%</translation>
    </message>
    <message>
        <source>Install USB driver</source>
        <translation>Инсталиране на USB драйвер</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Свързан</translation>
    </message>
    <message>
        <source>Loading configuration %p%</source>
        <translation>Зареждане на конфигурацията %p%</translation>
    </message>
    <message>
        <source>Read again (the whole configuration from the board)</source>
        <translation>Прочитане отново (цялата конфигурация от платката)</translation>
    </message>
    <message>
        <source>The configuration was not stored in the board&apos;s memory: the board did not answer.</source>
        <translation>Конфигурацията не е записана в паметта на платката: платката не отговори.</translation>
    </message>
    <message>
        <source>Hex dump: %1</source>
        <translation>Шестнадесетичен дъмп: %1</translation>
    </message>
    <message>
        <source>Without a board, edit a model&apos;s configuration offline:</source>
        <translation>Без платка: редактиране на конфигурацията на модел офлайн:</translation>
    </message>
    <message>
        <source>%1
network bridge at %2</source>
        <translation>%1
мрежов мост на адрес %2</translation>
    </message>
    <message>
        <source>%1
controller on the network at %2</source>
        <translation>%1
контролер в мрежата на адрес %2</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Връзка</translation>
    </message>
    <message>
        <source>A board is already connected (%1). Only one board can be open at a time.</source>
        <translation>Вече има свързана платка (%1). В даден момент може да бъде отворена само една платка.</translation>
    </message>
    <message>
        <source>Device error! The program&apos;s copy of the configuration is incomplete; the board itself was not changed. Use &quot;Read again&quot; to read it once more.</source>
        <translation>Грешка в устройството! Копието на конфигурацията в програмата е непълно; самата платка не е променена. Използвайте „Прочитане отново“, за да я прочетете още веднъж.</translation>
    </message>
    <message>
        <source>UDP bridge path, %1</source>
        <translation>UDP път през мост, %1</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>network bridge, %1</source>
        <translation>мрежов мост, %1</translation>
    </message>
    <message>
        <source>network bridge</source>
        <translation>мрежов мост</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>Свързано: %1</translation>
    </message>
    <message>
        <source>Connected, but the board did not take the last change</source>
        <translation>Свързано, но платката не прие последната промяна</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Запис</translation>
    </message>
    <message>
        <source>The change was not written to the board. Values marked in red are not on the board; check the connection and change them again.</source>
        <translation>Промяната не е записана в платката. Стойностите, отбелязани в червено, не са в платката; проверете връзката и ги променете отново.</translation>
    </message>
    <message>
        <source>No board answered at %1. The address stays remembered; it is asked again at every scan.</source>
        <translation>Никаква платка не отговори на адрес %1. Адресът остава запомнен и се проверява при всяко търсене.</translation>
    </message>
    <message>
        <source>Remembered addresses, asked at every scan:</source>
        <translation>Запомнени адреси, проверявани при всяко търсене:</translation>
    </message>
    <message>
        <source>Forget</source>
        <translation>Забрави</translation>
    </message>
    <message>
        <source>Stop asking %1 for boards</source>
        <translation>Спиране на търсенето на платки на %1</translation>
    </message>
    <message>
        <source>Forget the address %1?</source>
        <translation>Да се забрави ли адресът %1?</translation>
    </message>
    <message>
        <source>Undo: %1 (Ctrl+Z) sends the value before the change to the board</source>
        <translation>Отмяна: %1 (Ctrl+Z) изпраща на платката стойността отпреди промяната</translation>
    </message>
    <message>
        <source>Undo (Ctrl+Z): nothing to undo</source>
        <translation>Отмяна (Ctrl+Z): няма какво да се отмени</translation>
    </message>
    <message>
        <source>Redo: %1 (Ctrl+Shift+Z) sends the changed value to the board again</source>
        <translation>Повторение: %1 (Ctrl+Shift+Z) изпраща отново на платката променената стойност</translation>
    </message>
    <message>
        <source>Redo (Ctrl+Shift+Z): nothing to redo</source>
        <translation>Повторение (Ctrl+Shift+Z): няма какво да се повтори</translation>
    </message>
    <message>
        <source>Connected, but the board did not take the undone or redone change</source>
        <translation>Свързано, но платката не прие отменената или повторената промяна</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отмяна</translation>
    </message>
    <message>
        <source>The board did not take the change. The page shows what the board has and the step stays on the undo stack: check the connection and try again.</source>
        <translation>Платката не прие промяната. Страницата показва това, което е в платката, а стъпката остава за отмяна: проверете връзката и опитайте отново.</translation>
    </message>
    <message>
        <source>Edit help: %1</source>
        <translation>Редактиране на помощта: %1</translation>
    </message>
    <message>
        <source>%1, offline, changes not saved to a file</source>
        <translation>%1, офлайн, промените не са запазени във файл</translation>
    </message>
    <message>
        <source>%1, offline</source>
        <translation>%1, офлайн</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Файл: %1</translation>
    </message>
    <message>
        <source>No file: as read from the board</source>
        <translation>Без файл: както е прочетена от платката</translation>
    </message>
    <message>
        <source>No file: the built-in defaults</source>
        <translation>Без файл: вградените стойности по подразбиране</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Незапазени промени</translation>
    </message>
    <message>
        <source>The offline configuration of %1 has changes not saved to a file. Save them?</source>
        <translation>Офлайн конфигурацията на %1 има промени, които не са запазени във файл. Да се запазят ли?</translation>
    </message>
    <message>
        <source>The offline configuration of %1 has changes not saved to %2. Save them?</source>
        <translation>Офлайн конфигурацията на %1 има промени, които не са запазени в %2. Да се запазят ли?</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Отхвърли</translation>
    </message>
    <message>
        <source>Device error! The board went away during the read: the program&apos;s copy of its configuration is incomplete. Connect the board again to read it, or load a dump file.</source>
        <translation>Грешка в устройството! Връзката с платката прекъсна по време на четенето: копието на конфигурацията ѝ в програмата е непълно. Свържете платката отново, за да я прочетете, или заредете файл с дъмп.</translation>
    </message>
    <message>
        <source>Disconnected. The page holds no complete configuration of the board: connect it again to read it, or load a dump file.</source>
        <translation>Няма връзка. Страницата не съдържа пълната конфигурация на платката: свържете я отново, за да я прочетете, или заредете файл с дъмп.</translation>
    </message>
    <message>
        <source>Not stored in the board&apos;s memory</source>
        <translation>Не е записано в паметта на платката</translation>
    </message>
    <message>
        <source>Load %1 onto the connected board? Values of the board&apos;s configuration that change: %2. The board is kept in its history first.</source>
        <translation>Да се зареди ли %1 в свързаната платка? Стойности от конфигурацията на платката, които се променят: %2. Платката първо се запазва в историята ѝ.</translation>
    </message>
    <message>
        <source>Load %1 onto the connected board? It overwrites the board&apos;s whole configuration. The board is kept in its history first.</source>
        <translation>Да се зареди ли %1 в свързаната платка? Това презаписва цялата конфигурация на платката. Платката първо се запазва в историята ѝ.</translation>
    </message>
</context>
<context>
    <name>NetHosts</name>
    <message>
        <source>Connection</source>
        <translation>Връзка</translation>
    </message>
    <message>
        <source>Board address:</source>
        <translation>Адрес на платката:</translation>
    </message>
    <message>
        <source>Invalid address: %1</source>
        <translation>Невалиден адрес: %1</translation>
    </message>
</context>
<context>
    <name>Par</name>
    <message>
        <source>This value is not on the board: writing it failed.</source>
        <translation>Тази стойност не е в платката: записът ѝ е неуспешен.</translation>
    </message>
</context>
<context>
    <name>ParBitmaskButton</name>
    <message>
        <source>Select channels</source>
        <translation>Избор на канали</translation>
    </message>
    <message>
        <source>&lt;font color=&quot;#c00&quot;&gt;Turn OFF&lt;/font&gt;, &lt;font color=&quot;#0c0&quot;&gt;Turn ON&lt;/font&gt;, &lt;font color=&quot;#c80&quot;&gt;Toggle&lt;/font&gt;, Do not change</source>
        <translation>&lt;font color=&quot;#c00&quot;&gt;Изключване&lt;/font&gt;, &lt;font color=&quot;#0c0&quot;&gt;Включване&lt;/font&gt;, &lt;font color=&quot;#c80&quot;&gt;Превключване&lt;/font&gt;, Без промяна</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Затвори</translation>
    </message>
    <message>
        <source>Select channels: program %1</source>
        <translation>Избор на канали: програма %1</translation>
    </message>
</context>
<context>
    <name>ParInverter</name>
    <message>
        <source>ON</source>
        <translation>ВКЛ</translation>
    </message>
</context>
<context>
    <name>ParM32</name>
    <message>
        <source>HEX</source>
        <translation>HEX</translation>
    </message>
    <message>
        <source>DEC</source>
        <translation>DEC</translation>
    </message>
</context>
<context>
    <name>ParMask</name>
    <message>
        <source>Index %1</source>
        <translation>Индекс %1</translation>
    </message>
</context>
<context>
    <name>ParText</name>
    <message>
        <source>Size 1/16</source>
        <translation>Размер 1/16</translation>
    </message>
    <message>
        <source>Size 1/8</source>
        <translation>Размер 1/8</translation>
    </message>
    <message>
        <source>Size 1/4</source>
        <translation>Размер 1/4</translation>
    </message>
    <message>
        <source>Vpos:</source>
        <translation>Верт. позиция:</translation>
    </message>
</context>
<context>
    <name>ParViewText16</name>
    <message>
        <source>Size 1/4</source>
        <translation>Размер 1/4</translation>
    </message>
    <message>
        <source>Size 1/8</source>
        <translation>Размер 1/8</translation>
    </message>
    <message>
        <source>Size 1/16</source>
        <translation>Размер 1/16</translation>
    </message>
</context>
<context>
    <name>QtColorPicker</name>
    <message>
        <source>Black</source>
        <translation>Черен</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Бял</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Червен</translation>
    </message>
    <message>
        <source>Dark red</source>
        <translation>Тъмночервен</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Зелен</translation>
    </message>
    <message>
        <source>Dark green</source>
        <translation>Тъмнозелен</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Син</translation>
    </message>
    <message>
        <source>Dark blue</source>
        <translation>Тъмносин</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Циан</translation>
    </message>
    <message>
        <source>Dark cyan</source>
        <translation>Тъмен циан</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Пурпурен</translation>
    </message>
    <message>
        <source>Dark magenta</source>
        <translation>Тъмнопурпурен</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Жълт</translation>
    </message>
    <message>
        <source>Dark yellow</source>
        <translation>Тъмножълт</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Сив</translation>
    </message>
    <message>
        <source>Dark gray</source>
        <translation>Тъмносив</translation>
    </message>
    <message>
        <source>Light gray</source>
        <translation>Светлосив</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Потребителски</translation>
    </message>
</context>
<context>
    <name>RelayTest</name>
    <message>
        <source>Relay Test</source>
        <translation>Тест на релетата</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Край</translation>
    </message>
    <message>
        <source>Cycle: %1</source>
        <translation>Цикъл: %1</translation>
    </message>
    <message>
        <source>All relays are off</source>
        <translation>Всички релета са изключени</translation>
    </message>
    <message>
        <source>Relay %1 is on</source>
        <translation>Реле %1 е включено</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <source>Configuration</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Български</source>
        <translation>Български</translation>
    </message>
</context>
<context>
    <name>SysDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Сервизно меню</translation>
    </message>
    <message>
        <source>cl nvm</source>
        <translation>cl nvm</translation>
    </message>
    <message>
        <source>sn</source>
        <translation>sn</translation>
    </message>
    <message>
        <source>rel tst</source>
        <translation>rel tst</translation>
    </message>
    <message>
        <source>fl</source>
        <translation>fl</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Затвори</translation>
    </message>
    <message>
        <source>Clear the board&apos;s counters (asks first)</source>
        <translation>Нулиране на броячите на платката (с потвърждение)</translation>
    </message>
    <message>
        <source>Set the board&apos;s serial number (15 characters)</source>
        <translation>Задаване на серийния номер на платката (15 знака)</translation>
    </message>
    <message>
        <source>Switch the board&apos;s relays on one after another</source>
        <translation>Включване на релетата на платката едно след друго</translation>
    </message>
    <message>
        <source>The board&apos;s system flags</source>
        <translation>Системни флагове на платката</translation>
    </message>
    <message>
        <source>Clear all counters of the board? This cannot be undone.</source>
        <translation>Да се нулират ли всички броячи на платката? Това не може да бъде отменено.</translation>
    </message>
    <message>
        <source>The board&apos;s counters were cleared.</source>
        <translation>Броячите на платката са нулирани.</translation>
    </message>
    <message>
        <source>Clearing the counters failed: the board did not take the change.</source>
        <translation>Нулирането на броячите е неуспешно: платката не прие промяната.</translation>
    </message>
    <message>
        <source>The serial number cannot be set over the network bridge: connect the board by USB.</source>
        <translation>Серийният номер не може да се зададе през мрежовия мост: свържете платката с USB кабел.</translation>
    </message>
    <message>
        <source>The board took the serial number %1.</source>
        <translation>Платката прие серийния номер %1.</translation>
    </message>
    <message>
        <source>This board keeps no counters.</source>
        <translation>Тази платка няма броячи.</translation>
    </message>
    <message>
        <source>The serial number is set over USB or the UDP bridge path only.</source>
        <translation>Серийният номер се задава само през USB или през UDP моста.</translation>
    </message>
    <message>
        <source>This board has no relay test.</source>
        <translation>Тази платка няма тест на релетата.</translation>
    </message>
    <message>
        <source>This board has no system flags.</source>
        <translation>Тази платка няма системни флагове.</translation>
    </message>
    <message>
        <source>No board is connected: service commands act on a connected board only.</source>
        <translation>Няма свързана платка: сервизните команди действат само върху свързана платка.</translation>
    </message>
</context>
<context>
    <name>SystemFlags</name>
    <message>
        <source>Dialog</source>
        <translation>Системни флагове</translation>
    </message>
    <message>
        <source>2 bytes address FM memory</source>
        <translation>2-байтов адрес на FM паметта</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Затвори</translation>
    </message>
    <message>
        <source>This board has no such flag.</source>
        <translation>Тази платка няма такъв флаг.</translation>
    </message>
    <message>
        <source>The board did not take the flag: check the connection and set it again.</source>
        <translation>Платката не прие флага: проверете връзката и го задайте отново.</translation>
    </message>
</context>
<context>
    <name>TcpIo</name>
    <message>
        <source>Connection</source>
        <translation>Връзка</translation>
    </message>
    <message>
        <source>Access password:</source>
        <translation>Парола за достъп:</translation>
    </message>
    <message>
        <source>TCP error</source>
        <translation>TCP грешка</translation>
    </message>
    <message>
        <source>Access denied.</source>
        <translation>Достъпът е отказан.</translation>
    </message>
    <message>
        <source>The board did not answer.</source>
        <translation>Платката не отговори.</translation>
    </message>
    <message>
        <source>Unspported</source>
        <translation>Не се поддържа</translation>
    </message>
    <message>
        <source>Unsupported function</source>
        <translation>Неподдържана функция</translation>
    </message>
</context>
<context>
    <name>TextPool</name>
    <message>
        <source>No space</source>
        <translation>Няма място</translation>
    </message>
    <message>
        <source>Text buffer overflow</source>
        <translation>Препълване на текстовия буфер</translation>
    </message>
</context>
<context>
    <name>UsbIo</name>
    <message>
        <source>The board did not answer.</source>
        <translation>Платката не отговори.</translation>
    </message>
    <message>
        <source>This user may not open the board. Install the udev rule packaging/linux/60-vandor.rules: copy it to /etc/udev/rules.d/, run &quot;sudo udevadm control --reload-rules&quot; and plug the board in again.</source>
        <translation>Този потребител няма право да отваря платката. Инсталирайте udev правилото packaging/linux/60-vandor.rules: копирайте го в /etc/udev/rules.d/, изпълнете &quot;sudo udevadm control --reload-rules&quot; и включете платката отново.</translation>
    </message>
    <message>
        <source>USB error</source>
        <translation>USB грешка</translation>
    </message>
    <message>
        <source>Failed to connect. Error: %1</source>
        <translation>Неуспешно свързване. Грешка: %1</translation>
    </message>
    <message>
        <source>Incompatible device: %1.</source>
        <translation>Несъвместимо устройство: %1.</translation>
    </message>
    <message>
        <source>Failed to connect. Error: %1
Maybe USB driver is not installed!</source>
        <translation>Неуспешно свързване. Грешка: %1
Вероятно USB драйверът не е инсталиран!</translation>
    </message>
    <message>
        <source>UDP error</source>
        <translation>UDP грешка</translation>
    </message>
</context>
<context>
    <name>ViewLine</name>
    <message>
        <source>Line %1</source>
        <translation>Ред %1</translation>
    </message>
    <message>
        <source>Align left</source>
        <translation>Подравняване вляво</translation>
    </message>
    <message>
        <source>Align center</source>
        <translation>Центриране</translation>
    </message>
    <message>
        <source>Align right</source>
        <translation>Подравняване вдясно</translation>
    </message>
</context>
<context>
    <name>DevCom2</name>
    <message>
        <source>Dynamic Device</source>
        <translation>Динамично устройство</translation>
    </message>
    <message>
        <source>not applied</source>
        <translation>не се прилага</translation>
    </message>
    <message>
        <source>unused</source>
        <translation>не се използва</translation>
    </message>
    <message>
        <source>Machine setup</source>
        <translation>Настройка на машината</translation>
    </message>
    <message>
        <source>Setup keyword</source>
        <translation>Ключ на настройката</translation>
    </message>
    <message>
        <source>The machine setup cannot be reached over this connection.</source>
        <translation>Настройката на машината не е достъпна през тази връзка.</translation>
    </message>
    <message>
        <source>The machine setup was not written to the board; the board keeps its setup.</source>
        <translation>Настройката на машината не беше записана в платката; платката запазва досегашната си настройка.</translation>
    </message>
    <message>
        <source>Show hardware settings</source>
        <translation>Показване на хардуерните настройки</translation>
    </message>
    <message>
        <source>Parameter %1</source>
        <translation>Параметър %1</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Опции</translation>
    </message>
    <message>
        <source>Coin value - when not used validator set [cents]</source>
        <translation>Стойност на монета - когато не се използват стойностите от валидатора [центове]</translation>
    </message>
    <message>
        <source>Disabled coins [channel]</source>
        <translation>Забранени монети [канал]</translation>
    </message>
    <message>
        <source>Disabled coins (alternative set) [channel]</source>
        <translation>Забранени монети (алтернативен набор) [канал]</translation>
    </message>
    <message>
        <source>Note value - when not used validator set [cents]</source>
        <translation>Стойност на банкнота - когато не се използват стойностите от валидатора [центове]</translation>
    </message>
    <message>
        <source>Disabled notes [channel]</source>
        <translation>Забранени банкноти [канал]</translation>
    </message>
    <message>
        <source>Disabled notes (alternative set) [channel]</source>
        <translation>Забранени банкноти (алтернативен набор) [канал]</translation>
    </message>
    <message>
        <source>Left tokens/coins at low level signal [qty]</source>
        <translation>Оставащи жетони/монети при сигнал за ниско ниво [бр.]</translation>
    </message>
    <message>
        <source>Single token/coin cost [cents]</source>
        <translation>Цена на един жетон/монета [центове]</translation>
    </message>
    <message>
        <source>Payout balance</source>
        <translation>Баланс на изплащането</translation>
    </message>
    <message>
        <source>Protection</source>
        <translation>Защита</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Фон</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Успех</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Неуспех</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Напредък</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Таймер</translation>
    </message>
    <message>
        <source>Producer string</source>
        <translation>Надпис на производителя</translation>
    </message>
    <message>
        <source>Credit</source>
        <translation>Кредит</translation>
    </message>
    <message>
        <source>Token</source>
        <translation>Жетон</translation>
    </message>
    <message>
        <source>Changer</source>
        <translation>Монетообменник</translation>
    </message>
    <message>
        <source>Wifi SSID</source>
        <translation>Име на WiFi мрежата (SSID)</translation>
    </message>
    <message>
        <source>WiFi Password</source>
        <translation>Парола за WiFi</translation>
    </message>
    <message>
        <source>Server write key</source>
        <translation>Ключ за запис в сървъра</translation>
    </message>
    <message>
        <source>Selection timeout [sec]</source>
        <translation>Време за избор [сек]</translation>
    </message>
    <message>
        <source>Max selection quantity</source>
        <translation>Най-голямо избираемо количество</translation>
    </message>
    <message>
        <source>Variable costs for quantity [cents]</source>
        <translation>Променливи цени според количеството [центове]</translation>
    </message>
    <message>
        <source>Card info timeout [sec]</source>
        <translation>Време за показване на данните от картата [сек]</translation>
    </message>
    <message>
        <source>Money to card timeout [sec]</source>
        <translation>Време за прехвърляне на пари към картата [сек]</translation>
    </message>
    <message>
        <source>Clear unused credit timeout [sec]</source>
        <translation>Време до изчистване на неизползван кредит [сек]</translation>
    </message>
    <message>
        <source>Card charge amount [$]</source>
        <translation>Сума за зареждане на карта [$]</translation>
    </message>
    <message>
        <source>Card bonus amount [$]</source>
        <translation>Бонус сума за карта [$]</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Език</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Валута</translation>
    </message>
    <message>
        <source>Custom currency (uu)&lt;br&gt;Format: symbol/subsymbol/decimals/scale (EUR/c/2/0)</source>
        <translation>Потребителска валута (uu)&lt;br&gt;Формат: символ/подсимвол/десетични знаци/мащаб (EUR/c/2/0)</translation>
    </message>
    <message>
        <source>Parallel interface channel</source>
        <translation>Канал на паралелния интерфейс</translation>
    </message>
    <message>
        <source>Pulse cost [cents]</source>
        <translation>Стойност на импулс [центове]</translation>
    </message>
    <message>
        <source>Normally closed type</source>
        <translation>Нормално затворен тип</translation>
    </message>
    <message>
        <source>Noise filter [ms]</source>
        <translation>Филтър за смущения [ms]</translation>
    </message>
    <message>
        <source>Coin validator</source>
        <translation>Монетен валидатор</translation>
    </message>
    <message>
        <source>Banknote validator</source>
        <translation>Банкнотен валидатор</translation>
    </message>
    <message>
        <source>Hopper </source>
        <translation>Хопер </translation>
    </message>
    <message>
        <source>Token / Primary</source>
        <translation>Жетони / Основен</translation>
    </message>
    <message>
        <source>Change / Secondary</source>
        <translation>Ресто / Допълнителен</translation>
    </message>
    <message>
        <source>View Startup</source>
        <translation>Екран Стартиране</translation>
    </message>
    <message>
        <source>View Idle %1</source>
        <translation>Екран Покой %1</translation>
    </message>
    <message>
        <source>View Alert</source>
        <translation>Екран Тревога</translation>
    </message>
    <message>
        <source>View Limited</source>
        <translation>Екран Ограничен</translation>
    </message>
    <message>
        <source>View System</source>
        <translation>Екран Система</translation>
    </message>
    <message>
        <source>View Credit</source>
        <translation>Екран Кредит</translation>
    </message>
    <message>
        <source>View Card</source>
        <translation>Екран Карта</translation>
    </message>
    <message>
        <source>View ID %1</source>
        <translation>Екран № %1</translation>
    </message>
    <message>
        <source>WiFi module</source>
        <translation>WiFi модул</translation>
    </message>
    <message>
        <source>System controller</source>
        <translation>Системен контролер</translation>
    </message>
    <message>
        <source>Fiscal</source>
        <translation>Фискално устройство</translation>
    </message>
    <message>
        <source>Buttons</source>
        <translation>Бутони</translation>
    </message>
    <message>
        <source>POS terminal</source>
        <translation>ПОС терминал</translation>
    </message>
    <message>
        <source>Device ID %1</source>
        <translation>Устройство № %1</translation>
    </message>
    <message>
        <source>Unknown ID %1</source>
        <translation>Неизвестно № %1</translation>
    </message>
    <message>
        <source>C</source>
        <translation>М</translation>
    </message>
    <message>
        <source>B</source>
        <translation>Б</translation>
    </message>
    <message>
        <source>H1</source>
        <translation>Х1</translation>
    </message>
    <message>
        <source>H2</source>
        <translation>Х2</translation>
    </message>
    <message>
        <source>H</source>
        <translation>Х</translation>
    </message>
    <message>
        <source>VSt</source>
        <translation>ЕСт</translation>
    </message>
    <message>
        <source>VI%1</source>
        <translation>ЕП%1</translation>
    </message>
    <message>
        <source>VAl</source>
        <translation>ЕТр</translation>
    </message>
    <message>
        <source>VLm</source>
        <translation>ЕОг</translation>
    </message>
    <message>
        <source>VSy</source>
        <translation>ЕСи</translation>
    </message>
    <message>
        <source>VCr</source>
        <translation>ЕКр</translation>
    </message>
    <message>
        <source>VCd</source>
        <translation>ЕКт</translation>
    </message>
    <message>
        <source>V%1</source>
        <translation>Е%1</translation>
    </message>
    <message>
        <source>WF</source>
        <translation>WF</translation>
    </message>
    <message>
        <source>Cnt</source>
        <translation>Кнт</translation>
    </message>
    <message>
        <source>Fis</source>
        <translation>Фис</translation>
    </message>
    <message>
        <source>But</source>
        <translation>Бут</translation>
    </message>
    <message>
        <source>Pos</source>
        <translation>ПОС</translation>
    </message>
    <message>
        <source>D%1</source>
        <translation>У%1</translation>
    </message>
    <message>
        <source>U%1</source>
        <translation>Н%1</translation>
    </message>
    <message>
        <source>Use the values from validator</source>
        <translation>Използване на стойностите от валидатора</translation>
    </message>
    <message>
        <source>Operate with tokens (fiscalized, disable machine if empty)</source>
        <translation>Работа с жетони (фискализирано, машината спира при празен хопер)</translation>
    </message>
    <message>
        <source>Delay after big data (woraround for NV10 and Evolution hopper)</source>
        <translation>Пауза след големи данни (заобикаляне за NV10 и хопер Evolution)</translation>
    </message>
    <message>
        <source>Variable cost for quantity</source>
        <translation>Променлива цена според количеството</translation>
    </message>
    <message>
        <source>Alternative currency set</source>
        <translation>Алтернативен набор валута</translation>
    </message>
</context>
<context>
    <name>DevTokmat1_0</name>
    <message>
        <source>Tokmat</source>
        <translation>Tokmat</translation>
    </message>
    <message>
        <source>Limited view line %1</source>
        <translation>Ред %1 на екрана „Ограничена работа“</translation>
    </message>
    <message>
        <source>No change line %1</source>
        <translation>Ред %1 при липса на ресто</translation>
    </message>
    <message>
        <source>Valid change line %1</source>
        <translation>Ред %1 при наличие на ресто</translation>
    </message>
    <message>
        <source>No banknote line %1</source>
        <translation>Ред %1 при неработещ банкнотоприемник</translation>
    </message>
    <message>
        <source>Valid banknote line %1</source>
        <translation>Ред %1 при работещ банкнотоприемник</translation>
    </message>
    <message>
        <source>No coin line %1</source>
        <translation>Ред %1 при неработещ монетоприемник</translation>
    </message>
    <message>
        <source>Valid coin line %1</source>
        <translation>Ред %1 при работещ монетоприемник</translation>
    </message>
    <message>
        <source>Load coin nominals from device</source>
        <translation>Зареждане на номиналите на монетите от монетоприемника</translation>
    </message>
    <message>
        <source>Load note nominals from device</source>
        <translation>Зареждане на номиналите на банкнотите от банкнотоприемника</translation>
    </message>
    <message>
        <source>Note code is variable token cost value</source>
        <translation>Кодът на банкнотата е променлива цена на жетон</translation>
    </message>
    <message>
        <source>Coin validator</source>
        <translation>Монетоприемник</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Опции</translation>
    </message>
    <message>
        <source>Coin channel inhibit</source>
        <translation>Забранени канали на монетоприемника</translation>
    </message>
    <message>
        <source>Coin code %1</source>
        <translation>Код на монета %1</translation>
    </message>
    <message>
        <source>Coin %1 value [cents]</source>
        <translation>Стойност на монета %1 [стотинки]</translation>
    </message>
    <message>
        <source>Banknote validator</source>
        <translation>Банкнотоприемник</translation>
    </message>
    <message>
        <source>Max selected tokens</source>
        <translation>Най-много избрани жетони</translation>
    </message>
    <message>
        <source>Banknote channel inhibit</source>
        <translation>Забранени канали на банкнотоприемника</translation>
    </message>
    <message>
        <source>Banknote code / Custom token cost %1</source>
        <translation>Код на банкнота / цена на жетон %1</translation>
    </message>
    <message>
        <source>Banknote %1 value [cents]</source>
        <translation>Стойност на банкнота %1 [стотинки]</translation>
    </message>
    <message>
        <source>Minimum float [banknotes]</source>
        <translation>Най-малък запас [банкноти]</translation>
    </message>
    <message>
        <source>Maximum float [banknotes]</source>
        <translation>Най-голям запас [банкноти]</translation>
    </message>
    <message>
        <source>Maximum banknote value [cents]</source>
        <translation>Най-голяма стойност на банкнота [стотинки]</translation>
    </message>
    <message>
        <source>Hoppers</source>
        <translation>Хопери</translation>
    </message>
    <message>
        <source>Token value [cents]</source>
        <translation>Стойност на жетон [стотинки]</translation>
    </message>
    <message>
        <source>Change coin value [cents]</source>
        <translation>Стойност на монетата за ресто [стотинки]</translation>
    </message>
    <message>
        <source>Remaining tokens at low level</source>
        <translation>Оставащи жетони при нисък праг</translation>
    </message>
    <message>
        <source>Remaining change at low level</source>
        <translation>Оставащо ресто при нисък праг</translation>
    </message>
    <message>
        <source>Token/Return load balancing [%]</source>
        <translation>Разпределение между жетони и ресто [%]</translation>
    </message>
    <message>
        <source>Fiscal signals</source>
        <translation>Фискални сигнали</translation>
    </message>
    <message>
        <source>Channel for fiscal pulses</source>
        <translation>Канал за фискалните импулси</translation>
    </message>
    <message>
        <source>Multiplier to token / Credit per pulse</source>
        <translation>Множител за жетон / кредит за импулс</translation>
    </message>
    <message>
        <source>Buttons</source>
        <translation>Бутони</translation>
    </message>
    <message>
        <source>Button jitter [ms]</source>
        <translation>Подтискане на трептенето на бутоните [ms]</translation>
    </message>
    <message>
        <source>Button signal invert</source>
        <translation>Инвертиране на сигнала на бутоните</translation>
    </message>
    <message>
        <source>Statup view</source>
        <translation>Екран при пускане</translation>
    </message>
    <message>
        <source>Startup background</source>
        <translation>Фон на екрана при пускане</translation>
    </message>
    <message>
        <source>Startup progress</source>
        <translation>Напредък при пускане</translation>
    </message>
    <message>
        <source>Startup text</source>
        <translation>Текст при пускане</translation>
    </message>
    <message>
        <source>Startup pass</source>
        <translation>Успешна проверка при пускане</translation>
    </message>
    <message>
        <source>Startup fail</source>
        <translation>Неуспешна проверка при пускане</translation>
    </message>
    <message>
        <source>Out of order view</source>
        <translation>Екран „Не работи“</translation>
    </message>
    <message>
        <source>Out of order view background</source>
        <translation>Фон на екрана „Не работи“</translation>
    </message>
    <message>
        <source>Out of order view line %1</source>
        <translation>Ред %1 на екрана „Не работи“</translation>
    </message>
    <message>
        <source>OUT OF ORDER</source>
        <translation>OUT OF ORDER</translation>
    </message>
    <message>
        <source>Limited function view</source>
        <translation>Екран „Ограничена работа“</translation>
    </message>
    <message>
        <source>Limited view background</source>
        <translation>Фон на екрана „Ограничена работа“</translation>
    </message>
    <message>
        <source>LIMITED FUNCTIONALITY</source>
        <translation>LIMITED FUNCTIONALITY</translation>
    </message>
    <message>
        <source>Idle view %1</source>
        <translation>Екран в покой %1</translation>
    </message>
    <message>
        <source>View timeout [sec]</source>
        <translation>Време на показване [s]</translation>
    </message>
    <message>
        <source>Idle view background</source>
        <translation>Фон на екрана в покой</translation>
    </message>
    <message>
        <source>Idle view line %1</source>
        <translation>Ред %1 на екрана в покой</translation>
    </message>
    <message>
        <source>READY</source>
        <translation>READY</translation>
    </message>
    <message>
        <source>Credit view</source>
        <translation>Екран кредит</translation>
    </message>
    <message>
        <source>Credit view background</source>
        <translation>Фон на екрана кредит</translation>
    </message>
    <message>
        <source>Credit text</source>
        <translation>Текст на кредита</translation>
    </message>
    <message>
        <source>Token text</source>
        <translation>Текст на жетоните</translation>
    </message>
    <message>
        <source>Change text</source>
        <translation>Текст на рестото</translation>
    </message>
    <message>
        <source>Timeout to reset button selection [sec]</source>
        <translation>Време за отмяна на избора на бутон [s]</translation>
    </message>
    <message>
        <source>Delay to start payout [sec]</source>
        <translation>Закъснение преди изплащане [s]</translation>
    </message>
    <message>
        <source>Parameter %1</source>
        <translation>Параметър %1</translation>
    </message>
</context>
<context>
    <name>DevMarvekRobo1_0</name>
    <message>
        <source>Marvek - Robo</source>
        <translation>Marvek - Robo</translation>
    </message>
    <message>
        <source>Limited view line %1</source>
        <translation>Ред %1 на екрана „Ограничена работа“</translation>
    </message>
    <message>
        <source>No change line %1</source>
        <translation>Ред %1 при липса на ресто</translation>
    </message>
    <message>
        <source>Valid change line %1</source>
        <translation>Ред %1 при наличие на ресто</translation>
    </message>
    <message>
        <source>No banknote line %1</source>
        <translation>Ред %1 при неработещ банкнотоприемник</translation>
    </message>
    <message>
        <source>Valid banknote line %1</source>
        <translation>Ред %1 при работещ банкнотоприемник</translation>
    </message>
    <message>
        <source>No coin line %1</source>
        <translation>Ред %1 при неработещ монетоприемник</translation>
    </message>
    <message>
        <source>Valid coin line %1</source>
        <translation>Ред %1 при работещ монетоприемник</translation>
    </message>
    <message>
        <source>Load coin nominals from device</source>
        <translation>Зареждане на номиналите на монетите от монетоприемника</translation>
    </message>
    <message>
        <source>Load note nominals from device</source>
        <translation>Зареждане на номиналите на банкнотите от банкнотоприемника</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Парола</translation>
    </message>
    <message>
        <source>Write access key</source>
        <translation>Ключ за запис</translation>
    </message>
    <message>
        <source>Server URL</source>
        <translation>Адрес на сървъра</translation>
    </message>
    <message>
        <source>Coin validator</source>
        <translation>Монетоприемник</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Опции</translation>
    </message>
    <message>
        <source>Coin channel inhibit</source>
        <translation>Забранени канали на монетоприемника</translation>
    </message>
    <message>
        <source>Coin code %1</source>
        <translation>Код на монета %1</translation>
    </message>
    <message>
        <source>Coin %1 value [cents]</source>
        <translation>Стойност на монета %1 [стотинки]</translation>
    </message>
    <message>
        <source>Banknote validator</source>
        <translation>Банкнотоприемник</translation>
    </message>
    <message>
        <source>Banknote channel inhibit</source>
        <translation>Забранени канали на банкнотоприемника</translation>
    </message>
    <message>
        <source>Banknote code %1</source>
        <translation>Код на банкнота %1</translation>
    </message>
    <message>
        <source>Banknote %1 value [cents]</source>
        <translation>Стойност на банкнота %1 [стотинки]</translation>
    </message>
    <message>
        <source>Hoppers</source>
        <translation>Хопери</translation>
    </message>
    <message>
        <source>Change coin value [cents]</source>
        <translation>Стойност на монетата за ресто [стотинки]</translation>
    </message>
    <message>
        <source>Remaining change at low level</source>
        <translation>Оставащо ресто при нисък праг</translation>
    </message>
    <message>
        <source>Programs, Buttons and Relays</source>
        <translation>Програми, бутони и релета</translation>
    </message>
    <message>
        <source>Button jitter [ms]</source>
        <translation>Подтискане на трептенето на бутоните [ms]</translation>
    </message>
    <message>
        <source>Button signal invert</source>
        <translation>Инвертиране на сигнала на бутоните</translation>
    </message>
    <message>
        <source>Relay signal invert</source>
        <translation>Инвертиране на сигнала на релетата</translation>
    </message>
    <message>
        <source>Program %1</source>
        <translation>Програма %1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Име</translation>
    </message>
    <message>
        <source>Cost [cents]</source>
        <translation>Цена [стотинки]</translation>
    </message>
    <message>
        <source>Duration [sec]</source>
        <translation>Продължителност [s]</translation>
    </message>
    <message>
        <source>Relays to pulse</source>
        <translation>Релета за импулс</translation>
    </message>
    <message>
        <source>Relays while active</source>
        <translation>Релета по време на работа</translation>
    </message>
    <message>
        <source>Timeout delays</source>
        <translation>Времена за изчакване</translation>
    </message>
    <message>
        <source>Timeout to reset button selection [sec]</source>
        <translation>Време за отмяна на избора на бутон [s]</translation>
    </message>
    <message>
        <source>Prepare to enter timeout [sec]</source>
        <translation>Време за влизане в машината [s]</translation>
    </message>
    <message>
        <source>Timeout for machine in use message [sec]</source>
        <translation>Време на съобщението „Машината е заета“ [s]</translation>
    </message>
    <message>
        <source>Fiscal signals</source>
        <translation>Фискални сигнали</translation>
    </message>
    <message>
        <source>Channel for fiscal pulses</source>
        <translation>Канал за фискалните импулси</translation>
    </message>
    <message>
        <source>Value [cents]</source>
        <translation>Стойност [стотинки]</translation>
    </message>
    <message>
        <source>Statup view</source>
        <translation>Екран при пускане</translation>
    </message>
    <message>
        <source>Startup background</source>
        <translation>Фон на екрана при пускане</translation>
    </message>
    <message>
        <source>Startup progress</source>
        <translation>Напредък при пускане</translation>
    </message>
    <message>
        <source>Startup text</source>
        <translation>Текст при пускане</translation>
    </message>
    <message>
        <source>Startup pass</source>
        <translation>Успешна проверка при пускане</translation>
    </message>
    <message>
        <source>Startup fail</source>
        <translation>Неуспешна проверка при пускане</translation>
    </message>
    <message>
        <source>Out of order view</source>
        <translation>Екран „Не работи“</translation>
    </message>
    <message>
        <source>Out of order view background</source>
        <translation>Фон на екрана „Не работи“</translation>
    </message>
    <message>
        <source>Out of order view line %1</source>
        <translation>Ред %1 на екрана „Не работи“</translation>
    </message>
    <message>
        <source>OUT OF ORDER</source>
        <translation>OUT OF ORDER</translation>
    </message>
    <message>
        <source>Limited function view</source>
        <translation>Екран „Ограничена работа“</translation>
    </message>
    <message>
        <source>Limited view background</source>
        <translation>Фон на екрана „Ограничена работа“</translation>
    </message>
    <message>
        <source>LIMITED FUNCTIONALITY</source>
        <translation>LIMITED FUNCTIONALITY</translation>
    </message>
    <message>
        <source>Idle view %1</source>
        <translation>Екран в покой %1</translation>
    </message>
    <message>
        <source>View timeout [sec]</source>
        <translation>Време на показване [s]</translation>
    </message>
    <message>
        <source>Idle view background</source>
        <translation>Фон на екрана в покой</translation>
    </message>
    <message>
        <source>Idle view line %1</source>
        <translation>Ред %1 на екрана в покой</translation>
    </message>
    <message>
        <source>CHOOSE PROGRAM</source>
        <translation>CHOOSE PROGRAM</translation>
    </message>
    <message>
        <source>Credit view</source>
        <translation>Екран кредит</translation>
    </message>
    <message>
        <source>Credit view background</source>
        <translation>Фон на екрана кредит</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Цвят на текста</translation>
    </message>
    <message>
        <source>Available text</source>
        <translation>Текст на наличния кредит</translation>
    </message>
    <message>
        <source>Required text</source>
        <translation>Текст на нужния кредит</translation>
    </message>
    <message>
        <source>Prepare view</source>
        <translation>Екран „Подготовка“</translation>
    </message>
    <message>
        <source>Prepare view background</source>
        <translation>Фон на екрана „Подготовка“</translation>
    </message>
    <message>
        <source>Timer color</source>
        <translation>Цвят на таймера</translation>
    </message>
    <message>
        <source>Prepare view line %1</source>
        <translation>Ред %1 на екрана „Подготовка“</translation>
    </message>
    <message>
        <source>PREPARE</source>
        <translation>PREPARE</translation>
    </message>
    <message>
        <source>Wash view</source>
        <translation>Екран „Миене“</translation>
    </message>
    <message>
        <source>Wash view background</source>
        <translation>Фон на екрана „Миене“</translation>
    </message>
    <message>
        <source>Wash view line %1</source>
        <translation>Ред %1 на екрана „Миене“</translation>
    </message>
    <message>
        <source>Washing</source>
        <translation>Washing</translation>
    </message>
    <message>
        <source>Card view</source>
        <translation>Екран карта</translation>
    </message>
    <message>
        <source>Card view background</source>
        <translation>Фон на екрана карта</translation>
    </message>
    <message>
        <source>Card view text</source>
        <translation>Текст на екрана карта</translation>
    </message>
    <message>
        <source>Card view hide timeout</source>
        <translation>Време за скриване на екрана карта</translation>
    </message>
    <message>
        <source>Parameter %1</source>
        <translation>Параметър %1</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Find a setting (Ctrl+F)</source>
        <translation>Търсене на настройка (Ctrl+F)</translation>
    </message>
    <message>
        <source>Shows only the sections and groups holding settings whose name or help text contains every word typed, and marks those settings. Enter: next match, Shift+Enter: previous match, Escape: clear and show the page as it was.</source>
        <translation>Показва само разделите и групите с настройки, чието име или помощен текст съдържа всяка въведена дума, и ги отбелязва. Enter: следващо съвпадение, Shift+Enter: предишно съвпадение, Escape: изчистване и връщане на страницата, каквато беше.</translation>
    </message>
    <message>
        <source>Previous match (Shift+Enter)</source>
        <translation>Предишно съвпадение (Shift+Enter)</translation>
    </message>
    <message>
        <source>Next match (Enter)</source>
        <translation>Следващо съвпадение (Enter)</translation>
    </message>
    <message>
        <source>No match</source>
        <translation>Няма съвпадение</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 от %2</translation>
    </message>
</context>
<context>
    <name>EditUndo</name>
    <message>
        <source>texts</source>
        <translation>текстове</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Edit</source>
        <translation>Редактиране</translation>
    </message>
    <message>
        <source>Edit this help text; OK saves it to the model&apos;s help file</source>
        <translation>Редактиране на този помощен текст; OK го записва във файла с помощ на модела</translation>
    </message>
</context>
<context>
    <name>ValueDecoder</name>
    <message>
        <source>none</source>
        <translation>няма</translation>
    </message>
</context>
<context>
    <name>Prompt</name>
    <message>
        <source>Cancel</source>
        <translation>Отказ</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Boards found: %1. Back to the start page to choose one</source>
        <translation>Намерени платки: %1. Към началната страница за избор</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Прекъсни връзката</translation>
    </message>
    <message>
        <source>Disconnect: leave the board for the start page, where any board can be chosen</source>
        <translation>Прекъсване на връзката: към началната страница, където може да се избере всяка платка</translation>
    </message>
    <message>
        <source>The board runs with changes not stored in its memory; they are lost at its next power cycle. Store them before disconnecting?</source>
        <translation>Платката работи с промени, незаписани в паметта ѝ; те се губят при следващото ѝ изключване. Да се запишат ли преди прекъсването на връзката?</translation>
    </message>
    <message>
        <source>Disconnect without storing</source>
        <translation>Прекъсни без запис</translation>
    </message>
    <message>
        <source>Changes made without a board</source>
        <translation>Промени без платка</translation>
    </message>
    <message>
        <source>The values changed on the page of %1 are not saved in a file, and the board's configuration takes their place. Save them to a file first?</source>
        <translation>Стойностите, променени на страницата на %1, не са записани във файл и конфигурацията на платката заема мястото им. Да се запишат ли първо във файл?</translation>
    </message>
    <message>
        <source>Save to a file</source>
        <translation>Запиши във файл</translation>
    </message>
    <message>
        <source>Discard them</source>
        <translation>Откажи ги</translation>
    </message>
    <message>
        <source>Disconnected: the board stopped answering.</source>
        <translation>Няма връзка: платката спря да отговаря.</translation>
    </message>
    <message>
        <source>Stop the backup after this board (%1 of %2)</source>
        <translation>Спри архивирането след тази платка (%1 от %2)</translation>
    </message>
    <message>
        <source>Back up all</source>
        <translation>Архивиране на всички</translation>
    </message>
    <message>
        <source>the board did not open</source>
        <translation>платката не се отвори</translation>
    </message>
    <message>
        <source>its configuration could not be read whole</source>
        <translation>конфигурацията ѝ не можа да бъде прочетена изцяло</translation>
    </message>
    <message>
        <source>its snapshot could not be kept</source>
        <translation>снимката ѝ не можа да бъде запазена</translation>
    </message>
</context>
<context>
    <name>StartPage</name>
    <message>
        <source>identity %1</source>
        <translation>идентичност %1</translation>
    </message>
    <message>
        <source>machine &quot;%1&quot;, %2</source>
        <translation>машина „%1“, %2</translation>
    </message>
    <message>
        <source>no snapshot</source>
        <translation>няма снимка</translation>
    </message>
    <message>
        <source>last snapshot %1</source>
        <translation>последна снимка %1</translation>
    </message>
    <message>
        <source>Boards found: click the one to open.</source>
        <translation>Намерени платки: щракнете върху тази, която да се отвори.</translation>
    </message>
    <message>
        <source>%1
UDP bridge path at %2</source>
        <translation>%1
UDP мост на %2</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Платка</translation>
    </message>
    <message>
        <source>%1
USB %2</source>
        <translation>%1
USB %2</translation>
    </message>
    <message>
        <source>answers from a new address (it was at %1)</source>
        <translation>отговаря от нов адрес (беше на %1)</translation>
    </message>
    <message>
        <source>not answering since %1</source>
        <translation>не отговаря от %1</translation>
    </message>
    <message>
        <source>Boards found</source>
        <translation>Намерени платки</translation>
    </message>
    <message>
        <source>%1 has not answered since %2, so nothing was sent to it. It is offered again as soon as it answers.</source>
        <translation>%1 не отговаря от %2, затова нищо не ѝ беше изпратено. Ще бъде предложена отново, щом отговори.</translation>
    </message>
    <message>
        <source>%1 now answers from %2, no longer from %3. Open it at %2?</source>
        <translation>%1 вече отговаря от %2, а не от %3. Да се отвори ли на %2?</translation>
    </message>
    <message>
        <source>The board</source>
        <translation>Платката</translation>
    </message>
    <message>
        <source>Back up all</source>
        <translation>Архивиране на всички</translation>
    </message>
    <message>
        <source>Open each checked board (every board when none is checked) in turn, read it, keep its configuration as a snapshot of its machine and leave it. Nothing is written to any board.</source>
        <translation>Отваря поред всяка отметната платка (всички платки, ако няма отметнати), прочита я, запазва конфигурацията ѝ като снимка на машината ѝ и прекъсва връзката с нея. В платките не се записва нищо.</translation>
    </message>
    <message>
        <source>Back up this board with &quot;Back up all&quot;</source>
        <translation>Архивиране на тази платка с „Архивиране на всички“</translation>
    </message>
</context>
<context>
    <name>TcpIo</name>
    <message>
        <source>Access password of the network bridge &quot;%1&quot; at %2:</source>
        <translation>Парола за достъп до мрежовия мост „%1“ на %2:</translation>
    </message>
</context>
<context>
    <name>UsbIo</name>
    <message>
        <source>The board at %1 did not answer.</source>
        <translation>Платката на %1 не отговори.</translation>
    </message>
</context>
<context>
    <name>BoundedFile</name>
    <message>
        <source>The file does not exist.</source>
        <translation>Файлът не съществува.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Това не е обикновен файл.</translation>
    </message>
    <message>
        <source>The file is too large: %1 bytes, at most %2.</source>
        <translation>Файлът е твърде голям: %1 байта, най-много %2.</translation>
    </message>
</context>
<context>
    <name>Machines</name>
    <message>
        <source>Earlier boards %1</source>
        <translation>Предишни платки %1</translation>
    </message>
    <message>
        <source>%1: no snapshot</source>
        <translation>%1: няма снимка</translation>
    </message>
    <message>
        <source>%1: last snapshot %2, the same values</source>
        <translation>%1: последна снимка %2, същите стойности</translation>
    </message>
    <message>
        <source>%1: last snapshot %2, values differing: %3</source>
        <translation>%1: последна снимка %2, различни стойности: %3</translation>
    </message>
    <message>
        <source>%1: last snapshot %2</source>
        <translation>%1: последна снимка %2</translation>
    </message>
    <message>
        <source>A new machine</source>
        <translation>Нова машина</translation>
    </message>
    <message>
        <source>Machine</source>
        <translation>Машина</translation>
    </message>
    <message>
        <source>Which machine is this board (%1, %2)? Its configuration is not the last snapshot of exactly one machine of its kind. Its snapshots are kept with the machine chosen here.</source>
        <translation>На коя машина е тази платка (%1, %2)? Конфигурацията ѝ не е последната снимка на точно една машина от този вид. Снимките ѝ се пазят при машината, избрана тук.</translation>
    </message>
    <message>
        <source>the earlier boards&apos; snapshots belong to no one machine</source>
        <translation>снимките на предишните платки не принадлежат на една-единствена машина</translation>
    </message>
    <message>
        <source>a machine needs a name</source>
        <translation>машината трябва да има име</translation>
    </message>
    <message>
        <source>another machine is called %1</source>
        <translation>друга машина вече се казва %1</translation>
    </message>
    <message>
        <source>this run has made history folders for %1 boards never seen before, as many as it may; the next run keeps more</source>
        <translation>при това стартиране на програмата вече са създадени папки с история за %1 невиждани досега платки – колкото е позволено; следващото стартиране ще запази още</translation>
    </message>
</context>
<context>
    <name>SiteBackup</name>
    <message>
        <source>stopped before this board</source>
        <translation>архивирането спря преди тази платка</translation>
    </message>
    <message>
        <source>machine &quot;%1&quot;: </source>
        <translation>машина „%1“: </translation>
    </message>
    <message>
        <source>backed up %1, a new snapshot kept</source>
        <translation>архивирана в %1, запазена е нова снимка</translation>
    </message>
    <message>
        <source>backed up %1, unchanged since its last snapshot</source>
        <translation>архивирана в %1, без промени от последната ѝ снимка</translation>
    </message>
    <message>
        <source>not backed up: %1</source>
        <translation>не е архивирана: %1</translation>
    </message>
    <message>
        <source>backup failed %1: %2</source>
        <translation>неуспешно архивиране в %1: %2</translation>
    </message>
    <message>
        <source>done</source>
        <translation>готово</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>без промени</translation>
    </message>
    <message>
        <source>not reached</source>
        <translation>не е достигната</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>неуспешно: %1</translation>
    </message>
    <message>
        <source>%1 (%2): %3</source>
        <translation>%1 (%2): %3</translation>
    </message>
    <message>
        <source>no machine</source>
        <translation>без машина</translation>
    </message>
    <message>
        <source>Done: %1, unchanged: %2, failed: %3, not reached: %4.</source>
        <translation>Готови: %1, без промени: %2, неуспешни: %3, недостигнати: %4.</translation>
    </message>
</context>
</TS>
