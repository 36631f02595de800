<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt">
<context>
    <name>CalibrationTable</name>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>A tabela não pode ter menos de 20 linhas</translation>
    </message>
    <message>
        <source>Строка %1: значение &quot;%2&quot; не является числом</source>
        <translation>Linha %1: o valor &quot;%2&quot; não é um número</translation>
    </message>
    <message>
        <source>Строка %1: значение %2 вне диапазона 0…65535</source>
        <translation>Linha %1: o valor %2 está fora do intervalo 0…65535</translation>
    </message>
</context>
<context>
    <name>CalibrationCsv</name>
    <message>
        <source>Строка %1: ожидаются показания одного или двух датчиков и объём через запятую, а не %2</source>
        <translation>Linha %1: esperam-se as leituras de um ou dois sensores e o volume, separados por vírgulas, e não %2</translation>
    </message>
    <message>
        <source>Строка %1: объём %2 не является числом</source>
        <translation>Linha %1: o volume %2 não é um número</translation>
    </message>
    <message>
        <source>Строка %1: показание %2 не является числом</source>
        <translation>Linha %1: a leitura %2 não é um número</translation>
    </message>
</context>
<context>
    <name>CalibrationRun</name>
    <message>
        <source>Сначала завершите начатую тарировку</source>
        <translation>Termine primeiro a calibração em andamento</translation>
    </message>
</context>
<context>
    <name>CalibrationWorkflow</name>
    <message>
        <source>Не удалось прочитать файл
%1
%2</source>
        <translation>Falha ao ler o arquivo
%1
%2</translation>
    </message>
    <message>
        <source>Файл не загружен
%1
%2</source>
        <translation>O arquivo não foi carregado
%1
%2</translation>
    </message>
    <message>
        <source>Не удалось записать файл тарировки</source>
        <translation>Falha ao gravar o arquivo de calibração</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Galões</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Salvar arquivo</translation>
    </message>
    <message>
        <source>Не удалось создать файл
%1</source>
        <translation>Falha ao criar o arquivo
%1</translation>
    </message>
    <message>
        <source>Добавить датчик</source>
        <translation>Adicionar sensor</translation>
    </message>
    <message>
        <source>Возможно тарировка закончена.Или проверьте параметры тарировки
Шаг тарировки должен быть меньше остатка топлива</source>
        <translation>A calibração pode ter terminado. Ou verifique os parâmetros de calibração
O passo de calibração deve ser menor que o combustível restante</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Вы хотите завершить тарировку?</source>
        <translation>Deseja concluir a calibração?</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Sim</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Não</translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation>Selecione o arquivo para conversão</translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation>Enchimento</translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation>Esvaziamento</translation>
    </message>
    <message>
        <source>ВЕРНУТЬСЯ</source>
        <translation>VOLTAR</translation>
    </message>
</context>
<context>
    <name>Configurator</name>
    <message>
        <source>Ожидаем ответа от беспроводного датчика</source>
        <translation>Aguardando resposta do sensor sem fio</translation>
    </message>
    <message>
        <source>Волмар Конфигуратор</source>
        <translation>Volmar Configurator</translation>
    </message>
    <message>
        <source>ДУТ</source>
        <translation>FLS</translation>
    </message>
    <message>
        <source>Серийный номер:</source>
        <translation>Número de série:</translation>
    </message>
    <message>
        <source>Версия ПО:</source>
        <translation>Versão FW:</translation>
    </message>
    <message>
        <source>Требуется калибровка</source>
        <translation>Calibração necessária</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Nível</translation>
    </message>
    <message>
        <source>Частота, Гц</source>
        <translation>Frequência, Hz</translation>
    </message>
    <message>
        <source>Напряжение</source>
        <translation>Tensão</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperatura</translation>
    </message>
    <message>
        <source>Опросить адрес</source>
        <translation>Consultar end.</translation>
    </message>
    <message>
        <source>Устройства</source>
        <translation>Dispositivos</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Сглаживание</source>
        <translation>Suavização</translation>
    </message>
    <message>
        <source>Макс. уровень</source>
        <translation>Nível máx.</translation>
    </message>
    <message>
        <source>Мин. уровень</source>
        <translation>Nível mín.</translation>
    </message>
    <message>
        <source>Сетевой адрес</source>
        <translation>Endereço de rede</translation>
    </message>
    <message>
        <source>Базовая станция</source>
        <translation>Estação base</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Número de série</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Versão FW</translation>
    </message>
    <message>
        <source>Скопировано в буфер обмена</source>
        <translation>Copiado para a área de transferência</translation>
    </message>
    <message>
        <source>Сигнал</source>
        <translation>Sinal</translation>
    </message>
    <message>
        <source>Батарея</source>
        <translation>Bateria</translation>
    </message>
    <message>
        <source>Датчик 1</source>
        <translation>Sensor 1</translation>
    </message>
    <message>
        <source>Датчик 2</source>
        <translation>Sensor 2</translation>
    </message>
    <message>
        <source>Датчик 3</source>
        <translation>Sensor 3</translation>
    </message>
    <message>
        <source>Датчик 4</source>
        <translation>Sensor 4</translation>
    </message>
    <message>
        <source>ТАРИРОВКА</source>
        <translation>CALIBRAÇÃO</translation>
    </message>
    <message>
        <source>Шаг,</source>
        <translation>Passo,</translation>
    </message>
    <message>
        <source>л</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation>Enchimento</translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation>Esvaziamento</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Добавить порцию</source>
        <translation>Adicionar porção</translation>
    </message>
    <message>
        <source>Удалить порцию</source>
        <translation>Excluir porção</translation>
    </message>
    <message>
        <source>Возобновить</source>
        <translation>Retomar</translation>
    </message>
    <message>
        <source>Завершить</source>
        <translation>Concluir</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Gráfico</translation>
    </message>
    <message>
        <source>ВЕРНУТЬСЯ</source>
        <translation>VOLTAR</translation>
    </message>
    <message>
        <source>Угол,град.</source>
        <translation>Ângulo,gr.</translation>
    </message>
    <message>
        <source>Установки</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Верх</source>
        <translation>Superior</translation>
    </message>
    <message>
        <source>Низ</source>
        <translation>Inferior</translation>
    </message>
    <message>
        <source>Задержка вкл.</source>
        <translation>Atraso lig.</translation>
    </message>
    <message>
        <source>Задержка выкл.</source>
        <translation>Atraso desl.</translation>
    </message>
    <message>
        <source>Опросить сет. адрес</source>
        <translation>Consultar end. rede</translation>
    </message>
    <message>
        <source>Устройства в сети</source>
        <translation>Dispositivos na rede</translation>
    </message>
    <message>
        <source>Режим 1</source>
        <translation>Modo 1</translation>
    </message>
    <message>
        <source>Режим 2</source>
        <translation>Modo 2</translation>
    </message>
    <message>
        <source>Режим 3</source>
        <translation>Modo 3</translation>
    </message>
    <message>
        <source>Отвал</source>
        <translation>Lâmina</translation>
    </message>
    <message>
        <source>Ковш</source>
        <translation>Caçamba</translation>
    </message>
    <message>
        <source>Мастер</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Установка нуля</source>
        <translation>Ajustar zero</translation>
    </message>
    <message>
        <source>Удалить датчик</source>
        <translation>Remover sensor</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Galões</translation>
    </message>
    <message>
        <source>СЧИТЫВАТЕЛЬ МЕТОК</source>
        <translation>LEITOR DE TAGS</translation>
    </message>
    <message>
        <source>Установка режима</source>
        <translation>Definição do modo</translation>
    </message>
    <message>
        <source>Режим Считыватель</source>
        <translation>Modo Leitor</translation>
    </message>
    <message>
        <source>Режим Метка</source>
        <translation>Modo Tag</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Definir</translation>
    </message>
    <message>
        <source>Установить сер номер</source>
        <translation>Definir nº de série</translation>
    </message>
    <message>
        <source>ID метки</source>
        <translation>ID da tag</translation>
    </message>
    <message>
        <source>Десятичный формат</source>
        <translation>Formato decimal</translation>
    </message>
    <message>
        <source>Считать</source>
        <translation>Ler</translation>
    </message>
    <message>
        <source>Сменить сет.номер</source>
        <translation>Alterar nº de rede</translation>
    </message>
    <message>
        <source>ДИСТАНЦИОННОЕ УПРАВЛЕНИЕ</source>
        <translation>CONTROLE REMOTO</translation>
    </message>
    <message>
        <source>Команда</source>
        <translation>Comando</translation>
    </message>
    <message>
        <source>Удаленнный сетевой номер</source>
        <translation>Número de rede remoto</translation>
    </message>
    <message>
        <source>Введите числовой пароль</source>
        <translation>Digite a senha numérica</translation>
    </message>
    <message>
        <source>Выберете уровень фильтрации</source>
        <translation>Selecione o nível de filtragem</translation>
    </message>
    <message>
        <source>Выберете режим</source>
        <translation>Selecione o modo</translation>
    </message>
    <message>
        <source>Скопируйте строку и вставьте её в файл для отправки</source>
        <translation>Copie a linha e cole-a no arquivo para envio</translation>
    </message>
    <message>
        <source>Сгенерировать</source>
        <translation>Gerar</translation>
    </message>
    <message>
        <source>Расшифровать ответ</source>
        <translation>Decodificar resposta</translation>
    </message>
    <message>
        <source>ИНЖЕНЕРНЫЕ НАСТРОЙКИ</source>
        <translation>CONFIGURAÇÕES DE ENGENHARIA</translation>
    </message>
    <message>
        <source>Инверсия индикатора</source>
        <translation>Inversão do indicador</translation>
    </message>
    <message>
        <source>Режим передачи угла наклона</source>
        <translation>Transmitir ângulo de inclinação</translation>
    </message>
    <message>
        <source>Режим Master</source>
        <translation>Modo Master</translation>
    </message>
    <message>
        <source>Отключить термокомпенсацию</source>
        <translation>Desativar compensação térmica</translation>
    </message>
    <message>
        <source>Экодрайвинг</source>
        <translation>Condução econômica</translation>
    </message>
    <message>
        <source>Передавать cерийный номер</source>
        <translation>Transmitir número de série</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы</source>
        <translation>Limite de acionamento da lâmpada</translation>
    </message>
    <message>
        <source>  Установить  </source>
        <translation>  Definir  </translation>
    </message>
    <message>
        <source>Ручной ввод Полный/Пустой</source>
        <translation>Entrada manual Cheio/Vazio</translation>
    </message>
    <message>
        <source>Калибровать 
 горизонтальное
положение</source>
        <translation>Calibrar 
 posição
horizontal</translation>
    </message>
    <message>
        <source>Пересчитать в литры / %</source>
        <translation>Converter em litros / %</translation>
    </message>
    <message>
        <source>Сетевой адрес базы</source>
        <translation>Endereço de rede da base</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Alterar</translation>
    </message>
    <message>
        <source>Изменить S/N базы</source>
        <translation>Alterar S/N da base</translation>
    </message>
    <message>
        <source>ОБНОВЛЕНИЕ ПРОШИВКИ</source>
        <translation>ATUALIZAÇÃO DE FIRMWARE</translation>
    </message>
    <message>
        <source>Обновить прошивку базы</source>
        <translation>Atualizar firmware da base</translation>
    </message>
    <message>
        <source>Обновить прошивку датчика</source>
        <translation>Atualizar firmware do sensor</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte o sensor</translation>
    </message>
    <message>
        <source>Волмар Конфигуратор v1.0.0.%1</source>
        <translation>Volmar Configurator v1.0.0.%1</translation>
    </message>
    <message>
        <source>Нет доступных ком-портов
Выберите другой порт</source>
        <translation>Nenhuma porta COM disponível
Selecione outra porta</translation>
    </message>
    <message>
        <source>Проверьте подключение преобразователя!</source>
        <translation>Verifique a conexão do conversor!</translation>
    </message>
    <message>
        <source>Обновить прошивку</source>
        <translation>Atualizar firmware</translation>
    </message>
    <message>
        <source>Отменить несохранённые настройки</source>
        <translation>Descartar configurações não salvas</translation>
    </message>
    <message>
        <source>Загрузить заводские настройки</source>
        <translation>Carregar configurações de fábrica</translation>
    </message>
    <message>
        <source>Инженерное меню</source>
        <translation>Menu de engenharia</translation>
    </message>
    <message>
        <source>Дистанционное управление</source>
        <translation>Controle remoto</translation>
    </message>
    <message>
        <source>Безопасность</source>
        <translation>Segurança</translation>
    </message>
    <message>
        <source>Режим выходного сигнала датчика: цифровой RS-485 (по запросу или периодический), RS-232, аналоговый, частотный или импульсный. Набор режимов зависит от модели подключенного датчика. Выбранный режим отмечается значком изменения и записывается в датчик кнопкой записи параметров или сочетанием клавиш Ctrl+S.</source>
        <translation>Modo do sinal de saída do sensor: digital RS-485 (sob demanda ou periódico), RS-232, analógico, de frequência ou de pulsos. Os modos disponíveis dependem do modelo do sensor conectado. O modo selecionado é marcado com um ícone de alteração e gravado no sensor pelo botão de gravação de parâmetros ou pelo atalho de teclado Ctrl+S.</translation>
    </message>
    <message>
        <source>Уровень фильтрации (сглаживания) показаний. Чем больше бак и сильнее колебания топлива при движении, тем выше нужен уровень: «Нет» — без сглаживания, далее «до 200 литров», «от 200 до 1000 литров», «более 1000 литров» и «Тяжёлые условия» — самое сильное сглаживание. У датчиков других моделей уровень задаётся числом от 0 до 15. Тарировку и установку точек «Полный» и «Пустой» рекомендуется выполнять при отключенном сглаживании.</source>
        <translation>Nível de filtragem (suavização) das leituras. Quanto maior o tanque e mais forte a oscilação do combustível durante o movimento, maior deve ser o nível: &quot;Nenhum&quot; — sem suavização, depois &quot;até 200 litros&quot;, &quot;de 200 a 1000 litros&quot;, &quot;mais de 1000 litros&quot; e &quot;Condições severas&quot; — a suavização mais forte. Em sensores de outros modelos, o nível é definido por um número de 0 a 15. Recomenda-se realizar a calibração e a definição dos pontos &quot;Cheio&quot; e &quot;Vazio&quot; com a suavização desativada.</translation>
    </message>
    <message>
        <source>Сетевой адрес датчика на линии RS-485. Датчики на одной линии должны иметь разные адреса. Новый адрес записывается вместе с остальными параметрами, после чего программа заново ищет датчики на линии.</source>
        <translation>Endereço de rede do sensor na linha RS-485. Sensores na mesma linha devem ter endereços diferentes. O novo endereço é gravado junto com os demais parâmetros e, em seguida, o programa procura novamente os sensores na linha.</translation>
    </message>
    <message>
        <source>Максимальное значение уровня, которое выдаёт датчик: от 1023 до 4095 (1023 — 10-битное разрешение, 4095 — 12-битное). Переключение доступно на датчиках с версией прошивки не выше 2.5.3 и выполняется после подтверждения; новое значение записывается вместе с остальными параметрами.</source>
        <translation>Valor máximo de nível fornecido pelo sensor: de 1023 a 4095 (1023 — resolução de 10 bits, 4095 — de 12 bits). A alteração está disponível em sensores com versão de firmware até 2.5.3 e é feita após confirmação; o novo valor é gravado junto com os demais parâmetros.</translation>
    </message>
    <message>
        <source>Минимальное значение уровня, которое выдаёт датчик, в диапазоне от 0 до 1023; по умолчанию равно 1. Если версия датчика не поддерживает изменение этого значения, программа предупредит об этом.</source>
        <translation>Valor mínimo de nível fornecido pelo sensor, na faixa de 0 a 1023; o padrão é 1. Se a versão do sensor não permitir alterar esse valor, o programa avisará.</translation>
    </message>
    <message>
        <source>Список COM-портов, к которым подключены преобразователи интерфейса (например, USB — RS-485). Порты, занятые другими программами, в список не попадают. Пока ни одно устройство не подключено, список обновляется при наведении на него курсора; во время подключения выбрать другой порт нельзя.</source>
        <translation>Lista de portas COM às quais estão conectados conversores de interface (por exemplo, USB — RS-485). Portas ocupadas por outros programas não aparecem na lista. Enquanto nenhum dispositivo estiver conectado, a lista é atualizada ao passar o cursor sobre ela; durante a conexão não é possível selecionar outra porta.</translation>
    </message>
    <message>
        <source>Сервисное меню: обновление прошивки, отмена несохранённых настроек, загрузка заводских настроек, инженерное меню, дистанционное управление и пароль датчика (пункт «Безопасность»). Большинству пунктов нужен подключенный датчик; «Дистанционное управление» доступно, пока порт закрыт.</source>
        <translation>Menu de serviço: atualização de firmware, descarte de configurações não salvas, carregamento das configurações de fábrica, menu de engenharia, controle remoto e senha do sensor (item &quot;Segurança&quot;). A maioria dos itens requer um sensor conectado; &quot;Controle remoto&quot; fica disponível enquanto a porta estiver fechada.</translation>
    </message>
    <message>
        <source>Переход к тарировке бака для подключенного датчика (горячая клавиша F4). Тарировку рекомендуется делать при отключенном сглаживании: если фильтрация включена, программа напомнит об этом.</source>
        <translation>Abre a calibração do tanque para o sensor conectado (tecla de atalho F4). Recomenda-se calibrar com a suavização desativada: se a filtragem estiver ativada, o programa lembrará você disso.</translation>
    </message>
    <message>
        <source>Включает или выключает инверсию индикатора датчика. Команда отправляется в датчик сразу при переключении, отдельная запись не нужна. Если модель датчика не поддерживает функцию, группа неактивна.</source>
        <translation>Ativa ou desativa a inversão do indicador do sensor. O comando é enviado ao sensor assim que a chave é alternada, sem necessidade de gravação separada. Se o modelo do sensor não suportar a função, o grupo fica inativo.</translation>
    </message>
    <message>
        <source>Режим передачи угла наклона: датчик дополнительно передаёт угол своего наклона. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation>Modo de transmissão do ângulo de inclinação: o sensor transmite também o seu próprio ângulo de inclinação. O comando é enviado ao sensor assim que a chave é alternada. Função disponível para o KV610 e sensores FLS.</translation>
    </message>
    <message>
        <source>Включает или выключает режим Master датчика. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation>Ativa ou desativa o modo Master do sensor. O comando é enviado ao sensor assim que a chave é alternada. Função disponível para o KV610 e sensores FLS.</translation>
    </message>
    <message>
        <source>Отключение термокомпенсации — поправки показаний на температуру топлива. Переключатель показывает состояние, считанное из датчика. Без особой необходимости термокомпенсацию отключать не рекомендуется.</source>
        <translation>Desativação da compensação térmica — a correção das leituras conforme a temperatura do combustível. A chave mostra o estado lido do sensor. Não se recomenda desativar a compensação térmica sem necessidade real.</translation>
    </message>
    <message>
        <source>Включает или выключает функцию «Экодрайвинг» датчика. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation>Ativa ou desativa a função &quot;Condução econômica&quot; do sensor. O comando é enviado ao sensor assim que a chave é alternada. Função disponível para o KV610 e sensores FLS.</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы аварийного остатка топлива, в процентах. Введите значение и нажмите «Установить»: после подтверждения порог будет записан в датчик.</source>
        <translation>Limite de acionamento da lâmpada de reserva de combustível, em porcentagem. Digite o valor e clique em &quot;Definir&quot;: após a confirmação, o limite será gravado no sensor.</translation>
    </message>
    <message>
        <source>Ручной ввод значений «Полный» и «Пустой». В открывшемся окне введите оба значения и нажмите «Установить». Значение «Пустой» не может быть больше значения «Полный», нулевые значения не принимаются.</source>
        <translation>Entrada manual dos valores &quot;Cheio&quot; e &quot;Vazio&quot;. Na janela que se abre, digite os dois valores e clique em &quot;Definir&quot;. O valor &quot;Vazio&quot; não pode ser maior que o valor &quot;Cheio&quot;; valores zero não são aceitos.</translation>
    </message>
    <message>
        <source>Открывает тарировочную таблицу датчика из 20 точек «уровень — объём». Таблицу можно считать из датчика и записать в него, загрузить из файла CSV или сохранить в файл, а также пересчитать объёмы в проценты.</source>
        <translation>Abre a tabela de calibração do sensor com 20 pontos &quot;nível — volume&quot;. A tabela pode ser lida do sensor e gravada nele, carregada de um arquivo CSV ou salva em arquivo, e os volumes podem ser convertidos em porcentagem.</translation>
    </message>
    <message>
        <source>Дистанционное управление датчиком, подключенным к бортовому терминалу. Выберите команду и нажмите «Сгенерировать»: полученную строку скопируйте и отправьте на терминал по SMS или через сервер. Ответ терминала с температурой и уровнем можно вставить в ту же строку и расшифровать.</source>
        <translation>Controle remoto de um sensor conectado a um terminal de bordo. Selecione um comando e clique em &quot;Gerar&quot;: copie a linha obtida e envie-a ao terminal por SMS ou pelo servidor. A resposta do terminal com a temperatura e o nível pode ser colada na mesma linha e decodificada.</translation>
    </message>
    <message>
        <source>Шаг тарировки — объём одной порции топлива. По умолчанию 5 при тарировке заливом и 500 при тарировке сливом. Каждая новая порция увеличивает (залив) или уменьшает (слив) объём в таблице на этот шаг.</source>
        <translation>Passo de calibração — o volume de uma porção de combustível. O padrão é 5 na calibração por enchimento e 500 na calibração por esvaziamento. Cada nova porção aumenta (enchimento) ou diminui (esvaziamento) o volume na tabela nesse passo.</translation>
    </message>
    <message>
        <source>Начинает тарировку: запрашивает имя файла CSV, в котором будет сохраняться таблица, и добавляет в неё столбец датчика с начальной точкой. После добавления первой порции добавить датчик нельзя.</source>
        <translation>Inicia a calibração: solicita o nome do arquivo CSV em que a tabela será salva e adiciona a ela a coluna do sensor com o ponto inicial. Depois de adicionada a primeira porção, não é possível adicionar sensores.</translation>
    </message>
    <message>
        <source>Удаляет из тарировочной таблицы столбец последнего добавленного датчика. Если датчик был один, таблица очищается, а следующая тарировка продолжится в том же файле.</source>
        <translation>Remove da tabela de calibração a coluna do último sensor adicionado. Se havia apenas um sensor, a tabela é limpa e a próxima calibração continuará no mesmo arquivo.</translation>
    </message>
    <message>
        <source>Добавляет в таблицу строку: объём, изменённый на шаг тарировки, и текущие показания датчика. Строка сразу дописывается в файл тарировки. Перед нажатием дождитесь, пока показания датчика станут стабильными.</source>
        <translation>Adiciona uma linha à tabela: o volume alterado pelo passo de calibração e as leituras atuais do sensor. A linha é imediatamente acrescentada ao arquivo de calibração. Antes de clicar, aguarde até que as leituras do sensor se estabilizem.</translation>
    </message>
    <message>
        <source>Удаляет последнюю строку в тарировочной таблице</source>
        <translation>Exclui a última linha da tabela de calibração</translation>
    </message>
    <message>
        <source>Завершает тарировку после подтверждения: таблица очищается, работа с файлом тарировки заканчивается. Сохранённую тарировку можно продолжить кнопкой «Возобновить».</source>
        <translation>Conclui a calibração após a confirmação: a tabela é limpa e o trabalho com o arquivo de calibração é encerrado. Uma calibração salva pode ser continuada com o botão &quot;Retomar&quot;.</translation>
    </message>
    <message>
        <source>Подключение проводного датчика уровня топлива (KV210, KV260, KV510, KV610). Нажатие открывает выбранный COM-порт и запускает поиск датчиков на линии, повторное нажатие отключает датчик.</source>
        <translation>Conexão de um sensor de nível de combustível com fio (KV210, KV260, KV510, KV610). O clique abre a porta COM selecionada e inicia a busca de sensores na linha; um novo clique desconecta o sensor.</translation>
    </message>
    <message>
        <source>Устанавливает точку «Пустой»: текущее показание датчика запоминается в нём как показание при пустом баке. Выполняется после подтверждения, горячая клавиша F3. Рекомендуется делать при отключенном сглаживании.</source>
        <translation>Define o ponto &quot;Vazio&quot;: a leitura atual do sensor é armazenada nele como a leitura com o tanque vazio. Executado após confirmação; tecla de atalho F3. Recomenda-se fazer com a suavização desativada.</translation>
    </message>
    <message>
        <source>Устанавливает точку «Полный»: текущее показание датчика запоминается в нём как показание при полном баке. Выполняется после подтверждения, горячая клавиша F2. Рекомендуется делать при отключенном сглаживании.</source>
        <translation>Define o ponto &quot;Cheio&quot;: a leitura atual do sensor é armazenada nele como a leitura com o tanque cheio. Executado após confirmação; tecla de atalho F2. Recomenda-se fazer com a suavização desativada.</translation>
    </message>
    <message>
        <source>Выбор датчика для опроса, когда на линии их несколько: в списке сетевые адреса найденных датчиков. После выбора программа опрашивает датчик с этим адресом.</source>
        <translation>Seleção do sensor a ser consultado quando há vários na linha: a lista contém os endereços de rede dos sensores encontrados. Após a seleção, o programa consulta o sensor com esse endereço.</translation>
    </message>
    <message>
        <source>Температура датчика</source>
        <translation>Temperatura do sensor</translation>
    </message>
    <message>
        <source>Записывает изменённые параметры в датчик. Изменённые поля отмечаются значком рядом с ними; записать их можно и сочетанием клавиш Ctrl+S. После записи параметры считываются заново: записанные отмечаются зелёным значком, а при расхождении появится просьба повторить запись.</source>
        <translation>Grava os parâmetros alterados no sensor. Os campos alterados são marcados com um ícone ao lado; também é possível gravá-los com o atalho de teclado Ctrl+S. Após a gravação, os parâmetros são lidos novamente: os gravados são marcados com um ícone verde e, em caso de divergência, será solicitado repetir a gravação.</translation>
    </message>
    <message>
        <source>Выбор подключаемого устройства: проводной датчик уровня топлива или базовая станция BLE с беспроводными датчиками. Нажатие открывает выбранный COM-порт и запускает поиск, выбранная кнопка подсвечивается красным. Повторное нажатие или выбор другого устройства отключает текущее.</source>
        <translation>Seleção do dispositivo a conectar: sensor de nível de combustível com fio ou estação base BLE com sensores sem fio. O clique abre a porta COM selecionada e inicia a busca; o botão selecionado fica destacado em vermelho. Um novo clique ou a seleção de outro dispositivo desconecta o atual.</translation>
    </message>
    <message>
        <source>Сетевые адреса всех датчиков, найденных на линии, через запятую.</source>
        <translation>Endereços de rede de todos os sensores encontrados na linha, separados por vírgulas.</translation>
    </message>
    <message>
        <source>Текущий уровень топлива в условных единицах: от 0 до 1023 или до 4095 в зависимости от разрешения датчика. Цвет шкалы показывает стабильность показаний: зелёный — стабильны, жёлтый и красный — нестабильны.</source>
        <translation>Nível atual de combustível em unidades convencionais: de 0 a 1023 ou até 4095, dependendo da resolução do sensor. A cor da barra indica a estabilidade das leituras: verde — estáveis, amarelo e vermelho — instáveis.</translation>
    </message>
    <message>
        <source>Отображает частоту.</source>
        <translation>Exibe a frequência.</translation>
    </message>
    <message>
        <source>Отображает напряжение.</source>
        <translation>Exibe a tensão.</translation>
    </message>
    <message>
        <source>Температура датчика.</source>
        <translation>Temperatura do sensor.</translation>
    </message>
    <message>
        <source>Версия прошивки подключенного устройства.</source>
        <translation>Versão do firmware do dispositivo conectado.</translation>
    </message>
    <message>
        <source>Серийный номер подключенного устройства.</source>
        <translation>Número de série do dispositivo conectado.</translation>
    </message>
    <message>
        <source>Уровень сигнала радиосвязи между базовой станцией и беспроводным датчиком, в дБ. Чем ближе значение к нулю, тем устойчивее связь.</source>
        <translation>Intensidade do sinal de rádio entre a estação base e o sensor sem fio, em dB. Quanto mais próximo de zero for o valor, mais estável será a conexão.</translation>
    </message>
    <message>
        <source>Напряжение батареи беспроводного датчика, в вольтах.</source>
        <translation>Tensão da bateria do sensor sem fio, em volts.</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы аварийного остатка топлива беспроводного датчика, в процентах.</source>
        <translation>Limite de acionamento da lâmpada de reserva de combustível do sensor sem fio, em porcentagem.</translation>
    </message>
    <message>
        <source>Изменяет идентификатор (S/N) базовой станции. Введите новый номер в открывшемся окне; пустое или нулевое значение не принимается.</source>
        <translation>Altera o identificador (S/N) da estação base. Digite o novo número na janela que se abre; valores vazios ou zero não são aceitos.</translation>
    </message>
    <message>
        <source>Переводит базовую станцию в режим обновления прошивки. После этого в мобильном приложении NRFConnect появится устройство KV_BASE_UPD: подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой.</source>
        <translation>Coloca a estação base no modo de atualização de firmware. Em seguida, o dispositivo KV_BASE_UPD aparecerá no aplicativo móvel NRFConnect: conecte-se a ele, toque no botão DFU e selecione o arquivo compactado com o firmware.</translation>
    </message>
    <message>
        <source>Перезагружает беспроводной датчик для обновления прошивки. После перезагрузки у вас есть около 30 секунд, чтобы запустить обновление в приложении NRFConnect; оставшееся время показывает таймер.</source>
        <translation>Reinicia o sensor sem fio para a atualização do firmware. Após a reinicialização, você tem cerca de 30 segundos para iniciar a atualização no aplicativo NRFConnect; o temporizador mostra o tempo restante.</translation>
    </message>
    <message>
        <source>Строка состояния: показывает текущее состояние подключения и результаты выполненных команд.</source>
        <translation>Barra de status: mostra o estado atual da conexão e os resultados dos comandos executados.</translation>
    </message>
    <message>
        <source>Секция отображения модели подключенного устройства</source>
        <translation>Seção de exibição do modelo do dispositivo conectado</translation>
    </message>
    <message>
        <source>Беспроводной датчик уровня топлива KV-BLE, связанный с базовой станцией: его название, серийный номер и версия прошивки.</source>
        <translation>Sensor de nível de combustível sem fio KV-BLE vinculado à estação base: seu nome, número de série e versão do firmware.</translation>
    </message>
    <message>
        <source>Базовая станция BLE: через неё программа получает данные беспроводных датчиков и передаёт им команды.</source>
        <translation>Estação base BLE: por meio dela o programa recebe os dados dos sensores sem fio e envia comandos a eles.</translation>
    </message>
    <message>
        <source>Индикация наличия/отсутствия пароля базы</source>
        <translation>Indicação de presença/ausência de senha da base</translation>
    </message>
    <message>
        <source>Один экземпляр приложения уже запущен</source>
        <translation>Uma instância do aplicativo já está em execução</translation>
    </message>
    <message>
        <source>Подключите
преобразователь</source>
        <translation>Conecte
o conversor</translation>
    </message>
    <message>
        <source>Вы хотите отменить изменения настроек?</source>
        <translation>Deseja descartar as alterações das configurações?</translation>
    </message>
    <message>
        <source>Будут загружены заводские установки</source>
        <translation>As configurações de fábrica serão carregadas</translation>
    </message>
    <message>
        <source>Демонстрационный режим здесь требует пары виртуальных COM-портов:
запустите volmar-emulator --serial COMx
и выберите парный порт.</source>
        <translation>Aqui o modo de demonstração requer um par de portas COM virtuais:
inicie o volmar-emulator --serial COMx
e selecione a porta pareada.</translation>
    </message>
    <message>
        <source>Демонстрационная линия не запущена:
%1</source>
        <translation>A linha de demonstração não foi iniciada:
%1</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить минимальное значение?</source>
        <translation>A versão do sensor não suporta esta função
Deseja definir o valor mínimo?</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить максимальное значение?</source>
        <translation>A versão do sensor não suporta esta função
Deseja definir o valor máximo?</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>O endereço de rede deve ser um número
de 1 a 254</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Alguns parâmetros não foram gravados
Tente novamente</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень &quot;%1&quot;
Вы уверены?</source>
        <translation>Um novo nível &quot;%1&quot; será definido agora
Tem certeza?</translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation>Vazio</translation>
    </message>
    <message>
        <source>Полный</source>
        <translation>Cheio</translation>
    </message>
    <message>
        <source>Установку &quot;%1&quot; рекомендуется делать
при отключенном сглаживании</source>
        <translation>Recomenda-se definir &quot;%1&quot;
com a suavização desativada</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Aguardando resposta do sensor</translation>
    </message>
    <message>
        <source>Тарировку рекомендуется делать
при отключенном сглаживании</source>
        <translation>Recomenda-se fazer a calibração
com a suavização desativada</translation>
    </message>
    <message>
        <source>Внимание!Датчик неоткалиброван на пустой-полный
перейти к тарировке?</source>
        <translation>Atenção! O sensor não está calibrado em vazio/cheio
Ir para a calibração?</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы должен быть
от 0 до 100 %</source>
        <translation>O limite de acionamento da lâmpada deve ser
de 0 a 100 %</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень
аварийного остатка топлива.

Вы уверены?</source>
        <translation>Um novo nível de reserva
de combustível será definido agora.

Tem certeza?</translation>
    </message>
</context>
<context>
    <name>DynamicQDialog</name>
    <message>
        <source>Отмена</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>EngineerMenuQDialog</name>
    <message>
        <source>Полный</source>
        <translation>Cheio</translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation>Vazio</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Definir</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Значение &quot;Пустой&quot; не может быть больше &quot;Полный&quot;</source>
        <translation>O valor &quot;Vazio&quot; não pode ser maior que &quot;Cheio&quot;</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Пустой&quot;</source>
        <translation>Defina um valor correto para &quot;Vazio&quot;</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Полный&quot;</source>
        <translation>Defina um valor correto para &quot;Cheio&quot;</translation>
    </message>
</context>
<context>
    <name>FLSDevice</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte o sensor</translation>
    </message>
    <message>
        <source>Вы ввели неправильный пароль
Повторите ввод</source>
        <translation>Você digitou uma senha incorreta
Digite-a novamente</translation>
    </message>
    <message>
        <source>Установлен Горизонт</source>
        <translation>Posição horizontal definida</translation>
    </message>
    <message>
        <source>Уровень </source>
        <translation>Nível </translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrado</translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>Não calibrado</translation>
    </message>
    <message>
        <source>Датчик подключен</source>
        <translation>Sensor conectado</translation>
    </message>
    <message>
        <source>Подключен KV210</source>
        <translation>KV210 conectado</translation>
    </message>
    <message>
        <source>Подключен KV260</source>
        <translation>KV260 conectado</translation>
    </message>
    <message>
        <source>Подключен KV510</source>
        <translation>KV510 conectado</translation>
    </message>
    <message>
        <source>Подключен KV610</source>
        <translation>KV610 conectado</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Estável</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>Instável</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>A tabela não pode ter menos de 20 linhas</translation>
    </message>
    <message>
        <source>л</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>г</source>
        <translation>gal</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Galões</translation>
    </message>
    <message>
        <source>Пароль должен быть числом
от 0 до 4294967295</source>
        <translation>A senha deve ser um número
de 0 a 4294967295</translation>
    </message>
    <message>
        <source>Пароль удалён</source>
        <translation>Senha removida</translation>
    </message>
    <message>
        <source>Режим RS-485</source>
        <translation>Modo RS-485</translation>
    </message>
    <message>
        <source>Периодический RS-485</source>
        <translation>RS-485 periódico</translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation>Frequência</translation>
    </message>
    <message>
        <source>Аналоговый</source>
        <translation>Analógico</translation>
    </message>
    <message>
        <source>RS-232</source>
        <translation>RS-232</translation>
    </message>
    <message>
        <source>Импупльсный</source>
        <translation>Pulsos</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Nenhum</translation>
    </message>
    <message>
        <source>до 200 литров</source>
        <translation>até 200 litros</translation>
    </message>
    <message>
        <source>от 200 до 1000 литров</source>
        <translation>de 200 a 1000 litros</translation>
    </message>
    <message>
        <source>более 1000 литров</source>
        <translation>mais de 1000 litros</translation>
    </message>
    <message>
        <source>Тяжёлые условия</source>
        <translation>Condições severas</translation>
    </message>
</context>
<context>
    <name>LiterToPercent</name>
    <message>
        <source>Записать
в датчик</source>
        <translation>Gravar
no sensor</translation>
    </message>
    <message>
        <source>Считать
из датчика</source>
        <translation>Ler
do sensor</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Carregar</translation>
    </message>
    <message>
        <source>Выгрузить</source>
        <translation>Salvar</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Nível</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Проценты</source>
        <translation>Porcentagem</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Salvar arquivo</translation>
    </message>
    <message>
        <source>.csv</source>
        <translation>.csv</translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation>Selecione o arquivo para conversão</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл
%1
%2</source>
        <translation>Falha ao salvar o arquivo
%1
%2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Недостаточно данных для построения графика</source>
        <translation>Dados insuficientes para montar o gráfico</translation>
    </message>
    <message>
        <source>График тарировки датчиков</source>
        <translation>Gráfico de calibração dos sensores</translation>
    </message>
    <message>
        <source>Показания датчика</source>
        <translation>Leituras do sensor</translation>
    </message>
    <message>
        <source>Объём в литрах/галлонах</source>
        <translation>Volume em litros/galões</translation>
    </message>
    <message>
        <source>Датчик %1</source>
        <translation>Sensor %1</translation>
    </message>
</context>
<context>
    <name>Security</name>
    <message>
        <source>Ввести пароль</source>
        <translation>Digitar senha</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Definir senha</translation>
    </message>
    <message>
        <source>Удалить пароль</source>
        <translation>Remover senha</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Изменение настроек устройства защищено паролем.
Введите пароль</source>
        <translation>A alteração das configurações do dispositivo é protegida por senha.
Digite a senha</translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>A alteração das configurações do sensor não é protegida por senha
Você pode definir uma senha ou pular esta etapa</translation>
    </message>
</context>
<context>
    <name>WidgetTar</name>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrado</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Estável</translation>
    </message>
</context>
<context>
    <name>BLEDevice</name>
    <message>
        <source>Нет</source>
        <translation>Nenhum</translation>
    </message>
    <message>
        <source>Изменение настроек устройства защищено паролем.
Введите пароль</source>
        <translation>A alteração das configurações do dispositivo é protegida por senha.
Digite a senha</translation>
    </message>
    <message>
        <source>Вы ввели неправильный пароль
Повторите ввод</source>
        <translation>Você digitou uma senha incorreta
Digite-a novamente</translation>
    </message>
    <message>
        <source>Установлен Горизонт</source>
        <translation>Posição horizontal definida</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrado</translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>Não calibrado</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком не установлена</source>
        <translation>Sem ligação com o sensor sem fio</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte o sensor</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком установлена</source>
        <translation>Ligado ao sensor sem fio</translation>
    </message>
    <message>
        <source>Подключен KV-BLE</source>
        <translation>KV-BLE conectado</translation>
    </message>
    <message>
        <source>Если по истечении таймера вы
не увидели датчик в программе NRFConnect,
то произошла ошибка в обновлении
Повторите</source>
        <translation>Se o sensor não aparecer
no NRFConnect ao fim do temporizador,
a atualização falhou
Tente novamente</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Estável</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>Instável</translation>
    </message>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>A tabela não pode ter menos de 20 linhas</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Alguns parâmetros não foram gravados
Tente novamente</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить максимальное значение?</source>
        <translation>A versão do sensor não suporta esta função
Deseja definir o valor máximo?</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить минимальное значение?</source>
        <translation>A versão do sensor não suporta esta função
Deseja definir o valor mínimo?</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>O endereço de rede deve ser um número
de 1 a 254</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;UIID&quot;</source>
        <translation>Defina um valor válido de &quot;UIID&quot;</translation>
    </message>
    <message>
        <source>Сейчас в мобильном приложении NRFConnect должно отобразиться устройство KV_BASE_UPD
Подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой
Дождитесь, когда шкала прогресса достигнет 100% и осуществите повторное подключение</source>
        <translation>O dispositivo KV_BASE_UPD deve aparecer agora no aplicativo NRFConnect
Conecte-se a ele, pressione DFU e escolha o arquivo do firmware
Aguarde a barra de progresso chegar a 100% e conecte novamente</translation>
    </message>
    <message>
        <source>Сейчас датчик будет перезагружен
После успешной перезагрузки у вас есть примерно
30 секунд на запуск процесса обновления
прошивки в программе NRFConnect.</source>
        <translation>O sensor será reiniciado agora
Depois de reiniciar você tem cerca de
30 segundos para iniciar a atualização
do firmware no NRFConnect.</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>UUID ВТ датчика успешно изменен</source>
        <translation>UUID do sensor sem fio alterado</translation>
    </message>
    <message>
        <source>S/N ВТ датчика успешно изменен</source>
        <translation>N/S do sensor sem fio alterado</translation>
    </message>
    <message>
        <source>Директивная калибровка ВТ датчика произведена успешно</source>
        <translation>Calibração direta do sensor sem fio concluída</translation>
    </message>
    <message>
        <source>Успешная перезагрузка ВТ датчика</source>
        <translation>Sensor sem fio reiniciado</translation>
    </message>
    <message>
        <source>Калибровка уровня полного ВТ датчика произведена</source>
        <translation>Nível cheio do sensor sem fio calibrado</translation>
    </message>
    <message>
        <source>Калибровка уровня пустого ВТ датчика произведена</source>
        <translation>Nível vazio do sensor sem fio calibrado</translation>
    </message>
    <message>
        <source>Установлены заводские настройки ВТ датчика</source>
        <translation>Configurações de fábrica do sensor sem fio restauradas</translation>
    </message>
    <message>
        <source>Датчик переведен в режим сна</source>
        <translation>Sensor colocado em modo de espera</translation>
    </message>
    <message>
        <source>Ошибка изменения UUID ВТ датчика</source>
        <translation>Erro ao alterar o UUID do sensor sem fio</translation>
    </message>
    <message>
        <source>Ошибка изменения S/N ВТ датчика</source>
        <translation>Erro ao alterar o N/S do sensor sem fio</translation>
    </message>
    <message>
        <source>Ошибка изменения пароля ВТ датчика</source>
        <translation>Erro ao alterar a senha do sensor sem fio</translation>
    </message>
    <message>
        <source>Ошибка директивной калибровки ВТ датчика</source>
        <translation>Erro na calibração direta do sensor sem fio</translation>
    </message>
    <message>
        <source>Режим работы ВТ датчика установлен</source>
        <translation>Modo de operação do sensor sem fio definido</translation>
    </message>
    <message>
        <source>Ошибка установки режима</source>
        <translation>Erro ao definir o modo</translation>
    </message>
    <message>
        <source>Пароль должен быть числом
от 0 до 4294967295</source>
        <translation>A senha deve ser um número
de 0 a 4294967295</translation>
    </message>
    <message>
        <source>Пароль удалён</source>
        <translation>Senha removida</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Senha aceita</translation>
    </message>
    <message>
        <source>Пароль ВТ датчика успешно удалён</source>
        <translation>Senha do sensor sem fio removida</translation>
    </message>
    <message>
        <source>Новый пароль ВТ датчика успешно установлен</source>
        <translation>Nova senha do sensor sem fio definida</translation>
    </message>
    <message>
        <source>Неверный пароль датчика</source>
        <translation>Senha do sensor incorreta</translation>
    </message>
    <message>
        <source>Ожидаем ответ от беспроводного датчика</source>
        <translation>Aguardando resposta do sensor sem fio</translation>
    </message>
    <message>
        <source>Измените сетевой адрес одного из устройств</source>
        <translation>Altere o endereço de rede de um dos dispositivos</translation>
    </message>
</context>
<context>
    <name>SecurityBLE</name>
    <message>
        <source>Пропустить</source>
        <translation>Pular</translation>
    </message>
    <message>
        <source>Изменение настроек базы защищено паролем.
Введите пароль</source>
        <translation>A alteração das configurações da base é protegida por senha.
Digite a senha</translation>
    </message>
    <message>
        <source>Ввести пароль базы</source>
        <translation>Digitar senha da base</translation>
    </message>
    <message>
        <source>Удалить пароль базы</source>
        <translation>Excluir senha da base</translation>
    </message>
    <message>
        <source>Изменение настроек базы не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>A alteração das configurações da base não é protegida por senha
Você pode definir uma senha ou pular esta etapa</translation>
    </message>
    <message>
        <source>Установить пароль базы</source>
        <translation>Definir senha da base</translation>
    </message>
    <message>
        <source>Изменение настроек датчика защищено паролем.
Введите пароль</source>
        <translation>A alteração das configurações do sensor é protegida por senha.
Digite a senha</translation>
    </message>
    <message>
        <source>Ввести пароль датчика</source>
        <translation>Digitar senha do sensor</translation>
    </message>
    <message>
        <source>Удалить пароль датчика</source>
        <translation>Excluir senha do sensor</translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>A alteração das configurações do sensor não é protegida por senha
Você pode definir uma senha ou pular esta etapa</translation>
    </message>
    <message>
        <source>Установить пароль датчика</source>
        <translation>Definir senha do sensor</translation>
    </message>
</context>
<context>
    <name>BLEAdwView</name>
    <message>
        <source>Сет. адрес</source>
        <translation>End. de rede</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Alterar</translation>
    </message>
    <message>
        <source>Подключить датчик</source>
        <translation>Conectar sensor</translation>
    </message>
    <message>
        <source>Изменить номер</source>
        <translation>Alterar número</translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation>Desligar</translation>
    </message>
    <message>
        <source>Основные параметры</source>
        <translation>Parâmetros principais</translation>
    </message>
    <message>
        <source>Дополнительные параметры</source>
        <translation>Parâmetros adicionais</translation>
    </message>
    <message>
        <source>Уровень сигнала</source>
        <translation>Nível de sinal</translation>
    </message>
    <message>
        <source>Напряжение</source>
        <translation>Tensão</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Nível</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperatura</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>O endereço de rede deve ser um número
de 1 a 254</translation>
    </message>
</context>
<context>
    <name>AdwertDialog</name>
    <message>
        <source>Установить соединение</source>
        <translation>Estabelecer conexão</translation>
    </message>
    <message>
        <source>Введите номер датчика</source>
        <translation>Digite o número do sensor</translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Aguardando resposta do sensor</translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation>Erro de conexão</translation>
    </message>
</context>
<context>
    <name>WiredTagDevice</name>
    <message>
        <source>Датчик подключен</source>
        <translation>Sensor conectado</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte o sensor</translation>
    </message>
    <message>
        <source>Введите серийный номер
от %1 до %2</source>
        <translation>Digite um nº de série
de %1 a %2</translation>
    </message>
    <message>
        <source>Введите ID метки
от %1 до %2</source>
        <translation>Digite um ID da tag
de %1 a %2</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от %1 до %2</source>
        <translation>O endereço de rede deve ser um número
de %1 a %2</translation>
    </message>
</context>
<context>
    <name>RemoteCommand</name>
    <message>
        <source>Ввести пароль</source>
        <translation>Inserir senha</translation>
    </message>
    <message>
        <source>Введите числовой пароль</source>
        <translation>Digite a senha numérica</translation>
    </message>
    <message>
        <source>Запрос состояния</source>
        <translation>Solicitação de estado</translation>
    </message>
    <message>
        <source>Запросить версию прошивки и серийный номер</source>
        <translation>Solicitar versão do firmware e número de série</translation>
    </message>
    <message>
        <source>Сдвинуть уровень пустого</source>
        <translation>Deslocar o nível vazio</translation>
    </message>
    <message>
        <source>Введите смещение в у.е.</source>
        <translation>Deslocamento em unidades</translation>
    </message>
    <message>
        <source>Сдвинуть уровень полного</source>
        <translation>Deslocar o nível cheio</translation>
    </message>
    <message>
        <source>Установить уровень пустого</source>
        <translation>Definir o nível vazio</translation>
    </message>
    <message>
        <source>Введите значение пустого</source>
        <translation>Digite o valor de vazio</translation>
    </message>
    <message>
        <source>Установить уровень полного</source>
        <translation>Definir o nível cheio</translation>
    </message>
    <message>
        <source>Введите значение полного</source>
        <translation>Digite o valor de cheio</translation>
    </message>
    <message>
        <source>Установить режим</source>
        <translation>Definir modo</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Definir senha</translation>
    </message>
    <message>
        <source>Сетевой номер должен быть числом от 0 до 255</source>
        <translation>O número de rede deve ser um número de 0 a 255</translation>
    </message>
    <message>
        <source>Пароль должен быть числом от 0 до 4294967295</source>
        <translation>A senha deve ser um número de 0 a 4294967295</translation>
    </message>
    <message>
        <source>Смещение должно быть числом от 0 до 65535</source>
        <translation>O deslocamento deve ser um número de 0 a 65535</translation>
    </message>
    <message>
        <source>Уровень должен быть числом от 0 до 4294967295</source>
        <translation>O nível deve ser um número de 0 a 4294967295</translation>
    </message>
</context>
<context>
    <name>RemoteControlPage</name>
    <message>
        <source>В ответе содержится температура Т=%1°С и уровень L=%2</source>
        <translation>A resposta contém a temperatura T=%1°C e o nível L=%2</translation>
    </message>
</context>
<context>
    <name>AQ420Device</name>
    <message>
        <source>Гц</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Подключен АК-420</source>
        <translation>AQ420 conectado</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte o sensor</translation>
    </message>
    <message>
        <source>Заполните пустые поля
перед записью</source>
        <translation>Preencha os campos vazios
antes de gravar</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>O endereço de rede deve ser um número
de 1 a 254</translation>
    </message>
    <message>
        <source>Значение &quot;Низ&quot; не может быть
больше значения &quot;Верх&quot;</source>
        <translation>O valor &quot;Inferior&quot; não pode ser
maior que o valor &quot;Superior&quot;</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Alguns parâmetros não foram gravados
Tente novamente</translation>
    </message>
</context>
<context>
    <name>FirmwareExchange</name>
    <message>
        <source>Прошивка не обновлена</source>
        <translation>Firmware não atualizado</translation>
    </message>
    <message>
        <source>Прошивка успешно обновлена</source>
        <translation>Firmware atualizado com sucesso</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>Идёт обновление прошивки датчика</source>
        <translation>A atualizar o firmware do sensor</translation>
    </message>
    <message>
        <source>Ошибка в обновлении</source>
        <translation>Erro na atualização</translation>
    </message>
    <message>
        <source>Выберете файл прошивки</source>
        <translation>Escolha o ficheiro de firmware</translation>
    </message>
    <message>
        <source>Модель датчика не найдена в имени файла прошивки.
Имя файла или папки должно содержать KV210, KV260, KV510, KV610 или KVL300</source>
        <translation>O nome do ficheiro de firmware não indica o modelo do sensor.
O nome do ficheiro ou da pasta deve conter KV210, KV260, KV510, KV610 ou KVL300</translation>
    </message>
    <message>
        <source>Не удалось открыть файл прошивки</source>
        <translation>Não foi possível abrir o ficheiro de firmware</translation>
    </message>
    <message>
        <source>В файле нет прошивки для этой модели датчика</source>
        <translation>O ficheiro não contém firmware para este modelo de sensor</translation>
    </message>
    <message>
        <source>Переподключите питание датчика</source>
        <translation>Desligue e volte a ligar o sensor</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte o sensor</translation>
    </message>
    <message>
        <source>Прошивка успешно обновлена</source>
        <translation>Firmware atualizado com sucesso</translation>
    </message>
    <message>
        <source>Прошивка не обновлена</source>
        <translation>Firmware não atualizado</translation>
    </message>
</context>
</TS>
